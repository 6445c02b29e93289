// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Plain loops over the system calls Quorin's operations come down to, so the
// benchmark can show what the program adds on top of the bare work.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> entriesIn(const std::string &folder, unsigned char type)
{
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir))
        if (entry->d_type == type && std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, ".."))
            names.emplace_back(entry->d_name);
    closedir(dir);
    return names;
}

std::vector<std::string> filesIn(const std::string &folder) { return entriesIn(folder, DT_REG); }

int make(const std::string &folder, int folders, int files)
{
    mkdir(folder.c_str(), 0777);
    for (int f = 0; f < folders; ++f) {
        const std::string sub = folders == 1 ? folder : folder + "/d" + std::to_string(f);
        mkdir(sub.c_str(), 0777);
        for (int i = 0; i < files; ++i) {
            const int fd = open((sub + "/file" + std::to_string(i) + ".txt").c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd < 0)
                return 1;
            close(fd);
        }
    }
    return 0;
}

int survey(const std::string &root)
{
    std::deque<std::string> queue{root + "/"};
    long files = 0, folders = 0;
    while (!queue.empty()) {
        const std::string folder = queue.front();
        queue.pop_front();
        DIR *dir = opendir(folder.c_str());
        if (!dir)
            continue;
        while (const dirent *entry = readdir(dir)) {
            if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, ".."))
                continue;
            if (entry->d_type == DT_DIR) {
                ++folders;
                queue.push_back(folder + entry->d_name + "/");
            } else {
                ++files;
            }
        }
        closedir(dir);
    }
    std::printf("%ld files, %ld folders\n", files, folders);
    return 0;
}

// Lists the folder first, then renames: renaming while listing would meet the new names again.
int rename(const std::string &folder, const std::string &prefix, bool strip)
{
    for (const std::string &name : filesIn(folder)) {
        if (strip && name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string target = strip ? name.substr(prefix.size()) : prefix + name;
        if (renameat2(AT_FDCWD, (folder + "/" + name).c_str(), AT_FDCWD, (folder + "/" + target).c_str(),
                      RENAME_NOREPLACE) != 0)
            return 1;
    }
    return 0;
}

// The same two passes in every folder of a tree, breadth first, in the file
// system's own order.
int renameTree(const std::string &root)
{
    std::deque<std::string> queue{root};
    while (!queue.empty()) {
        const std::string folder = queue.front();
        queue.pop_front();
        for (const std::string &sub : entriesIn(folder, DT_DIR))
            queue.push_back(folder + "/" + sub);
        if (rename(folder, "p", false) != 0)
            return 1;
    }
    return 0;
}

int copy(const std::string &from, const std::string &to)
{
    for (const std::string &name : filesIn(from)) {
        const int in = open((from + "/" + name).c_str(), O_RDONLY);
        const int out = open((to + "/p" + name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (in < 0 || out < 0)
            return 1;
        while (copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0) > 0) {
        }
        close(in);
        close(out);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make" && argc == 5)
        return make(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "survey" && argc == 3)
        return survey(argv[2]);
    if (command == "rename" && argc == 3)
        return rename(argv[2], "p", false);
    if (command == "rename-tree" && argc == 3)
        return renameTree(argv[2]);
    if (command == "unrename" && argc == 3)
        return rename(argv[2], "p", true);
    if (command == "copy" && argc == 4)
        return copy(argv[2], argv[3]);
    std::fputs("usage: quorin-bench-baseline make DIR FOLDERS FILES | survey DIR | rename DIR | rename-tree DIR"
               " | unrename DIR | copy FROM TO\n", stderr);
    return 2;
}
