#include "run_process.h"

#include <fstream>

#ifdef _WIN32
#include "platform/wide_text.h"
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace orvo::test {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::string content(std::filesystem::file_size(path), '\0');
    std::ifstream(path, std::ios::binary).read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
}

#ifdef _WIN32

// Quotes one argument so that CommandLineToArgvW gives it back unchanged.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        quoted.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        quoted += c;
    }
    quoted.append(slashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE InheritableFile(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

int Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const std::filesystem::path& out, const std::filesystem::path& err) {
    std::wstring line = Quoted(program.wstring());
    for (const std::string& argument : arguments) {
        std::wstring wide;
        Utf8ToWide(argument, wide);
        line += L" " + Quoted(wide);
    }
    const HANDLE outFile = InheritableFile(out);
    const HANDLE errFile = InheritableFile(err);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    DWORD code = static_cast<DWORD>(-1);
    if (CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outFile);
    CloseHandle(errFile);
    return static_cast<int>(code);
}

#else

// Standard error goes to `err`, or to the terminal `terminal` when that is given.
int Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
          const std::filesystem::path& out, const std::filesystem::path& err, const char* terminal = nullptr,
          int terminalMaster = -1, std::string* terminalText = nullptr) {
    std::vector<std::string> strings{program.string()};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (terminal)
        posix_spawn_file_actions_addopen(&actions, 2, terminal, O_RDWR | O_NOCTTY, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    if (terminalText) {
        // What the program wrote waits in the terminal (its output is far below the terminal's
        // buffer); the parent's own side kept it open.
        ::fcntl(terminalMaster, F_SETFL, ::fcntl(terminalMaster, F_GETFL) | O_NONBLOCK);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(terminalMaster, buffer, sizeof buffer)) > 0)
            terminalText->append(buffer, static_cast<std::size_t>(n));
    }
    return WEXITSTATUS(status);
}

#endif

} // namespace

TProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& scratch) {
    const std::filesystem::path out = scratch / "process.out";
    const std::filesystem::path err = scratch / "process.err";
    TProcessResult result;
    result.ExitCode = Spawn(program, arguments, out, err);
    result.Out = ReadFile(out);
    result.Err = ReadFile(err);
    return result;
}

#ifndef _WIN32
TProcessResult RunWithTerminalErr(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                                  const std::filesystem::path& scratch) {
    TProcessResult result;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return result;
    const std::string terminal = grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : "";
    const int slave = terminal.empty() ? -1 : ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        const std::filesystem::path out = scratch / "process.out";
        result.ExitCode = Spawn(program, arguments, out, {}, terminal.c_str(), master, &result.Err);
        result.Out = ReadFile(out);
        ::close(slave);
    }
    ::close(master);
    return result;
}
#endif

std::filesystem::path OwnDirectory() {
#ifdef _WIN32
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return std::filesystem::path(std::wstring(path, length)).parent_path();
#else
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

} // namespace orvo::test
