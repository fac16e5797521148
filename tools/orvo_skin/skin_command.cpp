#include "tools/orvo_skin/skin_command.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"
#include "tools/orvo_skin/skin_check.h"
#include "tools/orvo_skin/skin_pack.h"
#include "tools/orvo_skin/skin_scale_report.h"
#include "tools/orvo_skin/tool_files.h"

#include <exception>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

namespace orvo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view Usage =
    "usage: orvo-skin COMMAND ARGS\n"
    "  pack DIR STORE      pack DIR's .ini file and the bitmaps it names into a skin store, with\n"
    "                      their images for other scales (Stem@150.bmp beside Stem.bmp)\n"
    "  unpack STORE DIR    write every entry of a skin store into DIR\n"
    "  list STORE          show each entry's name and size, in archive order\n"
    "  info STORE          show the scales the store has images for, overall and per image\n"
    "  check STORE         check that every image the INI names is there and readable, and\n"
    "                      that images for other scales fit their 100 % image\n"
    "  decode STORE OUT    write the decompressed archive\n"
    "  encode IN STORE     compress any file into a store (size + LZHUF stream)\n";

struct TContext {
    const std::vector<std::string>& Args; // after the command word
    const TSkinTextSink& Out;
    const TSkinTextSink& Err;
};

TSkinReader LoadStore(const std::string& path) {
    TSkinReader reader;
    const TSkinLoadResult result = reader.Load(ReadWholeFile(PathFromUtf8(path)));
    if (result.Status == TSkinLoadStatus::UnknownVersion)
        throw ESkinToolError("'" + path + "' is a skin of an unknown version (" + result.Message + ")");
    if (!result) throw ESkinToolError("'" + path + "' is not a usable skin store: " + result.Message);
    return reader;
}

int Pack(const TContext& c) {
    const TPackedSkin packed = PackSkinDirectory(PathFromUtf8(c.Args[0]));
    const std::vector<std::uint8_t> store = EncodeSkinStore(packed.Archive);
    WriteWholeFile(PathFromUtf8(c.Args[1]), store);
    c.Out("packed " + std::to_string(packed.EntryNames.size()) + " entries (" +
          std::to_string(packed.Archive.size()) + " bytes) into '" + c.Args[1] + "' (" +
          std::to_string(store.size()) + " bytes)\n");
    return SkinExitOk;
}

// Entry names become file names: only plain names, never a path or a device.
bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char ch : name)
        if (static_cast<unsigned char>(ch) < 32 ||
            std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos)
            return false;
    return true;
}

int Unpack(const TContext& c) {
    const TSkinReader reader = LoadStore(c.Args[0]);
    const fs::path dir = PathFromUtf8(c.Args[1]);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw ESkinToolError("cannot create '" + c.Args[1] + "': " + ec.message());
    for (const TSkinEntry& e : reader.Entries())
        if (!IsPlainFileName(e.Name))
            throw ESkinToolError("entry name '" + e.Name + "' is not a plain file name");
    std::set<std::string> written;
    int count = 0;
    for (std::size_t i = 0; i < reader.Entries().size(); ++i) {
        const TSkinEntry& e = reader.Entries()[i];
        if (!written.insert(e.Key).second) {
            c.Err("skipped '" + e.Name +
                  "': an earlier entry has the same name, and only that one is ever read\n");
            continue;
        }
        WriteWholeFile(dir / PathFromUtf8(e.Name), reader.EntryBytes(i));
        ++count;
    }
    c.Out("unpacked " + std::to_string(count) + " entries into '" + c.Args[1] + "'\n");
    return SkinExitOk;
}

int List(const TContext& c) {
    const TSkinReader reader = LoadStore(c.Args[0]);
    for (const TSkinEntry& e : reader.Entries())
        c.Out(e.Name + " " + std::to_string(e.Size) + "\n");
    return SkinExitOk;
}

int Info(const TContext& c) {
    c.Out(SkinScaleReport(LoadStore(c.Args[0])));
    return SkinExitOk;
}

int Check(const TContext& c) {
    const TSkinCheckReport report = CheckSkin(LoadStore(c.Args[0]));
    for (const std::string& e : report.Errors)
        c.Err("error: " + e + "\n");
    for (const std::string& w : report.Warnings)
        c.Err("warning: " + w + "\n");
    std::string scaled;
    if (report.ScaledImagesChecked > 0)
        scaled = " and " + std::to_string(report.ScaledImagesChecked) + " for other scales";
    c.Out("checked " + std::to_string(report.ImagesChecked) + " images" + scaled + ": " +
          std::to_string(report.Errors.size()) + " errors, " + std::to_string(report.Warnings.size()) +
          " warnings\n");
    return report.Errors.empty() ? SkinExitOk : SkinExitFailed;
}

int Decode(const TContext& c) {
    const std::vector<std::uint8_t> store = ReadWholeFile(PathFromUtf8(c.Args[0]));
    WriteWholeFile(PathFromUtf8(c.Args[1]), DecodeSkinStore(store));
    return SkinExitOk;
}

int Encode(const TContext& c) {
    const std::vector<std::uint8_t> data = ReadWholeFile(PathFromUtf8(c.Args[0]));
    WriteWholeFile(PathFromUtf8(c.Args[1]), EncodeSkinStore(data));
    return SkinExitOk;
}

struct TCommand {
    std::size_t Arguments;
    int (*Run)(const TContext&);
};

const std::map<std::string, TCommand, std::less<>> Commands = {
    {"pack", {2, Pack}},   {"unpack", {2, Unpack}}, {"list", {1, List}},
    {"check", {1, Check}}, {"decode", {2, Decode}}, {"encode", {2, Encode}}, {"info", {1, Info}},
};

} // namespace

int RunSkinCommand(const std::vector<std::string>& arguments, const TSkinTextSink& out,
                   const TSkinTextSink& err) {
    if (arguments.empty() || arguments[0] == "-h" || arguments[0] == "--help") {
        (arguments.empty() ? err : out)(Usage);
        return arguments.empty() ? SkinExitUsage : SkinExitOk;
    }
    const auto command = Commands.find(arguments[0]);
    if (command == Commands.end()) {
        err("orvo-skin: unknown command '" + arguments[0] + "'\n" + std::string(Usage));
        return SkinExitUsage;
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (rest.size() != command->second.Arguments) {
        err("orvo-skin " + arguments[0] + ": expects " + std::to_string(command->second.Arguments) +
            " arguments\n" + std::string(Usage));
        return SkinExitUsage;
    }
    try {
        return command->second.Run({rest, out, err});
    } catch (const std::bad_alloc&) {
        err("orvo-skin " + arguments[0] + ": out of memory\n");
    } catch (const std::exception& e) {
        err("orvo-skin " + arguments[0] + ": " + e.what() + "\n");
    }
    return SkinExitFailed;
}

} // namespace orvo
