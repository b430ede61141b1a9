// list, extract, test, build and unpack: thin wrappers over the archive layer with readable output.
#include "tools/pack_commands.h"

#include "assets/archive_cache.h"
#include "assets/rar/rar_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

namespace tarnel::pack {

namespace {

namespace fs = std::filesystem;

struct Parsed {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // "-o" -> value
};

// Splits arguments into positional ones and the options named in valued (each takes a value).
bool parseArguments(const char* command, const Arguments& args, std::size_t positionalCount,
                    const std::string& valued, Parsed& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() == 2 && arg[0] == '-' && valued.find(arg[1]) != std::string::npos) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "tarnel-pack %s: option %s needs a value\n", command, arg.c_str());
                return false;
            }
            parsed.options[arg] = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tarnel-pack %s: unknown option %s\n", command, arg.c_str());
            return false;
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.positional.size() != positionalCount) {
        std::fprintf(stderr, "tarnel-pack %s: expected %zu argument(s), got %zu (see tarnel-pack --help)\n",
                     command, positionalCount, parsed.positional.size());
        return false;
    }
    return true;
}

std::string option(const Parsed& parsed, const std::string& name) {
    auto found = parsed.options.find(name);
    return found == parsed.options.end() ? std::string() : found->second;
}

LoadedArchive* openArchive(const char* command, const std::string& path) {
    std::string error;
    LoadedArchive* loaded = loadArchive(path, &error);
    if (!loaded) std::fprintf(stderr, "tarnel-pack %s: %s\n", command, error.c_str());
    return loaded;
}

const char* methodName(std::uint8_t method) {
    static const char* const kNames[] = {"store", "fastest", "fast", "normal", "good", "best"};
    return method >= 0x30 && method <= 0x35 ? kNames[method - 0x30] : "unknown";
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::uint32_t dosTimeOfFile(const fs::path& path) {
    std::time_t seconds;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        seconds = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    } else {
        std::error_code code;
        const auto written = fs::last_write_time(path, code);
        if (code) return rar::dosTimeOf(1980, 1, 1, 0, 0, 0);
        const auto now = std::chrono::system_clock::now() +
                         (written - fs::file_time_type::clock::now());
        seconds = std::chrono::system_clock::to_time_t(
            std::chrono::time_point_cast<std::chrono::system_clock::duration>(now));
    }
    std::tm local{};
    localtime_r(&seconds, &local);
    return rar::dosTimeOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec);
}

// "--password PW" is the long form of "-p PW".
Arguments withShortPassword(Arguments args) {
    for (std::string& arg : args)
        if (arg == "--password") arg = "-p";
    return args;
}

// The password option of a command that writes or unpacks: an empty one would quietly mean none.
bool passwordOption(const char* command, const Parsed& parsed, std::string& password) {
    password = option(parsed, "-p");
    if (parsed.options.count("-p") && password.empty()) {
        std::fprintf(stderr, "tarnel-pack %s: the password must not be empty\n", command);
        return false;
    }
    return true;
}

// Where a member goes under the unpack folder: its name's parts below the folder, or nothing
// when the name would leave it (a ".." part, a drive) or names no file at all.
std::optional<fs::path> unpackedPath(const std::string& name) {
    fs::path relative;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part == "..") return std::nullopt;
        if (relative.empty() && !part.empty() && part.back() == ':') return std::nullopt;
        if (!part.empty() && part != ".") relative /= part;
        start = end + 1;
    }
    if (relative.empty()) return std::nullopt;
    return relative;
}

// Writes one member under root; false with a reason when it cannot.
bool unpackMember(LoadedArchive& loaded, std::size_t index, const fs::path& root, const std::string& password,
                  std::string& reason) {
    const rar::Member& member = loaded.archive.members[index];
    const std::optional<fs::path> relative = unpackedPath(member.name);
    if (!relative) {
        reason = "the name leaves the folder or names no file; not unpacked";
        return false;
    }
    const fs::path target = root / *relative;
    std::error_code code;
    if (member.directory()) {
        fs::create_directories(target, code);
        if (code) reason = "cannot create the folder: " + code.message();
        return !code;
    }
    const ExtractResult result = extractLoadedMember(loaded, index, password);
    if (!result.ok()) {
        reason = result.error;
        return false;
    }
    fs::create_directories(target.parent_path(), code);
    if (code || !writeFile(target.string(), result.data)) {
        reason = "cannot write \"" + target.string() + "\"";
        return false;
    }
    return true;
}

}  // namespace

int listCommand(const Arguments& args) {
    Parsed parsed;
    if (!parseArguments("list", args, 1, "p", parsed)) return kExitUsage;
    LoadedArchive* loaded = openArchive("list", parsed.positional[0]);
    if (!loaded) return kExitFailed;
    std::printf("%12s %12s %-8s %-8s %3s  %s\n", "size", "packed", "method", "crc32", "ver", "name");
    for (const rar::Member& member : loaded->archive.members) {
        std::string notes;
        if (member.directory()) notes += " [folder]";
        if (member.encrypted()) notes += " [encrypted]";
        if (member.solid()) notes += " [solid]";
        std::printf("%12llu %12llu %-8s %08x %3u  %s%s\n",
                    static_cast<unsigned long long>(member.unpackedSize),
                    static_cast<unsigned long long>(member.packedSize), methodName(member.method),
                    member.crc, member.unpackVersion, member.name.c_str(), notes.c_str());
    }
    std::printf("%zu member(s)\n", loaded->archive.members.size());
    if (!loaded->archive.damage.empty()) {
        std::fprintf(stderr, "tarnel-pack list: %s\n", loaded->archive.damage.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int extractCommand(const Arguments& args) {
    Parsed parsed;
    if (!parseArguments("extract", args, 2, "op", parsed)) return kExitUsage;
    const ExtractResult result =
        extractArchiveMember(parsed.positional[1], parsed.positional[0], option(parsed, "-p"));
    if (!result.ok()) {
        std::fprintf(stderr, "tarnel-pack extract: %s\n", result.error.c_str());
        return kExitFailed;
    }
    const std::string output = option(parsed, "-o");
    if (output.empty()) {
        if (std::fwrite(result.data.data(), 1, result.data.size(), stdout) != result.data.size()) {
            std::fprintf(stderr, "tarnel-pack extract: cannot write to standard output\n");
            return kExitFailed;
        }
        return kExitOk;
    }
    if (!writeFile(output, result.data)) {
        std::fprintf(stderr, "tarnel-pack extract: cannot write \"%s\"\n", output.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int testCommand(const Arguments& args) {
    Parsed parsed;
    if (!parseArguments("test", args, 1, "p", parsed)) return kExitUsage;
    LoadedArchive* loaded = openArchive("test", parsed.positional[0]);
    if (!loaded) return kExitFailed;
    std::size_t passed = 0, failed = 0;
    for (std::size_t i = 0; i < loaded->archive.members.size(); ++i) {
        const rar::Member& member = loaded->archive.members[i];
        if (member.directory()) continue;
        const ExtractResult result = extractLoadedMember(*loaded, i, option(parsed, "-p"));
        if (result.ok()) {
            std::printf("OK      %s\n", member.name.c_str());
            ++passed;
        } else {
            std::printf("FAILED  %s: %s\n", member.name.c_str(), result.error.c_str());
            ++failed;
        }
    }
    if (!loaded->archive.damage.empty()) {
        std::printf("FAILED  %s\n", loaded->archive.damage.c_str());
        ++failed;
    }
    std::printf("%zu member(s) OK, %zu failed\n", passed, failed);
    return failed == 0 ? kExitOk : kExitFailed;
}

int buildCommand(const Arguments& args) {
    Parsed parsed;
    std::string password;
    if (!parseArguments("build", withShortPassword(args), 1, "op", parsed) ||
        !passwordOption("build", parsed, password))
        return kExitUsage;
    const fs::path root = parsed.positional[0];
    const std::string output = option(parsed, "-o");
    if (output.empty()) {
        std::fprintf(stderr, "tarnel-pack build: name the archive with -o ARCHIVE\n");
        return kExitUsage;
    }
    std::error_code code;
    if (!fs::is_directory(root, code)) {
        std::fprintf(stderr, "tarnel-pack build: \"%s\" is not a folder\n", root.string().c_str());
        return kExitFailed;
    }
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(root, code), end; !code && it != end; it.increment(code))
        if (it->is_regular_file()) files.push_back(it->path());
    if (code) {
        std::fprintf(stderr, "tarnel-pack build: cannot walk \"%s\": %s\n", root.string().c_str(),
                     code.message().c_str());
        return kExitFailed;
    }
    std::vector<rar::WriterEntry> entries;
    for (const fs::path& file : files) {
        rar::WriterEntry entry;
        entry.name = fs::relative(file, root).generic_string();
        std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
        std::ifstream in(file, std::ios::binary);
        entry.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            std::fprintf(stderr, "tarnel-pack build: cannot read \"%s\"\n", file.string().c_str());
            return kExitFailed;
        }
        entry.dosTime = dosTimeOfFile(file);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const rar::WriterEntry& a, const rar::WriterEntry& b) { return a.name < b.name; });
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!rar::writeStoredArchive(entries, bytes, &error, password)) {
        std::fprintf(stderr, "tarnel-pack build: %s\n", error.c_str());
        return kExitFailed;
    }
    if (!writeFile(output, bytes)) {
        std::fprintf(stderr, "tarnel-pack build: cannot write \"%s\"\n", output.c_str());
        return kExitFailed;
    }
    std::printf("%zu member(s) written to %s%s\n", entries.size(), output.c_str(),
                password.empty() ? "" : ", encrypted");
    return kExitOk;
}

int unpackCommand(const Arguments& args) {
    Parsed parsed;
    std::string password;
    if (!parseArguments("unpack", withShortPassword(args), 2, "p", parsed) ||
        !passwordOption("unpack", parsed, password))
        return kExitUsage;
    LoadedArchive* loaded = openArchive("unpack", parsed.positional[0]);
    if (!loaded) return kExitFailed;
    const fs::path root = parsed.positional[1];
    std::size_t unpacked = 0, failed = 0;
    for (std::size_t i = 0; i < loaded->archive.members.size(); ++i) {
        const rar::Member& member = loaded->archive.members[i];
        // The folder shows what the saver reads: the first of members with the same name.
        if (rar::findMember(loaded->archive, member.name) != static_cast<long>(i)) {
            std::printf("SKIPPED %s: an earlier member has the same name\n", member.name.c_str());
            continue;
        }
        std::string reason;
        if (unpackMember(*loaded, i, root, password, reason)) {
            std::printf("OK      %s\n", member.name.c_str());
            ++unpacked;
        } else {
            std::printf("FAILED  %s: %s\n", member.name.c_str(), reason.c_str());
            ++failed;
        }
    }
    if (!loaded->archive.damage.empty()) {
        std::printf("FAILED  %s\n", loaded->archive.damage.c_str());
        ++failed;
    }
    std::printf("%zu member(s) unpacked into %s, %zu failed\n", unpacked, root.string().c_str(), failed);
    return failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace tarnel::pack
