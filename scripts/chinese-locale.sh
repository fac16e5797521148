#!/usr/bin/env bash
# Makes sure the zh_CN.UTF-8 locale exists (Debian's locales package, generated once), so that Wine
# speaks the program's language: the buttons of message boxes and common dialogs in Chinese.
# Prints the locale's name for LANG. Idempotent; needs root (or sudo) only the first time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" locales >&2
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    echo "chinese-locale: generating zh_CN.UTF-8" >&2
    if [ -f /etc/locale.gen ] && grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        $SUDO locale-gen >&2
    else
        $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 >&2
    fi
fi
echo zh_CN.UTF-8
