// Packs files into a data archive, or lists one.
//
//   vantle_pak <archive> <file or folder>...   folders are packed with everything below them
//   vantle_pak -l <archive>                    prints each entry's size and name
//
// Entries are named by their paths relative to the working directory, with "/" between folders, which
// is how the game asks for them. The archive is written beside its final name and renamed at the end, so
// a failed run never leaves a half-written archive in place.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/io/file.h"
#include "vantle/io/pak.h"

namespace fs = std::filesystem;

namespace {

const int kUsageError = 2;

void PrintUsage() {
    std::cerr << "usage: vantle_pak <archive> <file or folder>...\n"
                 "       vantle_pak -l <archive>\n";
}

// The entry name of a path given on the command line, or an empty string when it cannot be one.
std::string EntryName(const fs::path& path) {
    const fs::path normal = path.lexically_normal();
    if (normal.is_absolute() || normal.empty() || *normal.begin() == "..") return std::string();
    return normal.generic_string();
}

// Files under the path (the path itself when it is a file), in a stable order.
bool CollectFiles(const fs::path& path, std::vector<std::string>& names) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        names.push_back(path.string());
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::cerr << "not found: " << path.string() << std::endl;
        return false;
    }
    std::vector<std::string> found;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) found.push_back(it->path().string());
    }
    if (error) {
        std::cerr << "cannot read folder " << path.string() << ": " << error.message() << std::endl;
        return false;
    }
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
    return true;
}

int List(const std::string& archive_name) {
    core::ptr<io::IStream> archive(new io::File(archive_name, io::File::kRead));
    if (!archive->IsOpened()) {
        std::cerr << "cannot open " << archive_name << std::endl;
        return 1;
    }
    io::Pak pak;
    pak.Read(archive, false);
    for (const io::Pak::Entry& entry : pak.List()) std::cout << entry.size << ' ' << entry.name << '\n';
    return 0;
}

int Pack(const std::string& archive_name, const std::vector<std::string>& inputs) {
    std::vector<std::string> files;
    for (const std::string& input : inputs) {
        if (!CollectFiles(input, files)) return 1;
    }
    io::Pak pak;
    std::set<std::string> seen;
    for (const std::string& file : files) {
        const std::string name = EntryName(file);
        if (name.empty()) {
            std::cerr << "not below the working directory: " << file << std::endl;
            return 1;
        }
        if (!seen.insert(name).second) continue;
        pak.Add(name, core::ptr<io::IStream>());
    }

    const std::string partial = archive_name + ".partial";
    bool written = false;
    {
        core::ptr<io::IStream> destination(new io::File(partial, io::File::kWrite));
        written = pak.Write(destination);
    }
    if (!written || std::rename(partial.c_str(), archive_name.c_str()) != 0) {
        std::remove(partial.c_str());
        std::cerr << "could not write " << archive_name << std::endl;
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "-l") return List(args[1]);
    if (args.size() < 2 || args[0].empty() || args[0][0] == '-') {
        PrintUsage();
        return kUsageError;
    }
    return Pack(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
}
