#include "tools/page/staged_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Hidden, and named after the tool, so that a leftover from a crash is
// recognised; the program only ever opens its fixed names.
constexpr auto kTemporaryMark = ".tolvika-page-";
constexpr auto kUniqueSuffix = "XXXXXX";

[[noreturn]] void raiseErrno(const std::string& what, const fs::path& path)
{
    throw fs::filesystem_error(what, path, std::error_code(errno, std::generic_category()));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closing can report a write error that an earlier call did not.
    void close(const fs::path& path)
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            raiseErrno("cannot write", path);
    }

private:
    int m_fd;
};

// Makes a new, empty file named after `beside` with a unique ending.
fs::path makeUniqueFile(const fs::path& beside)
{
    std::string name =
        (beside.parent_path() / (kTemporaryMark + beside.filename().string() + "." + kUniqueSuffix)).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        raiseErrno("cannot create a file in", beside.parent_path());
    ::close(fd);
    return name;
}

// New files get the permissions any program's new file gets (mkstemp's
// are private); a replaced file keeps its own.
void giveUsualPermissions(const fs::path& temporary, const fs::path& target)
{
    std::error_code missing;
    const fs::file_status old = fs::status(target, missing);
    if (!missing && fs::is_regular_file(old)) {
        fs::permissions(temporary, old.permissions());
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    fs::permissions(temporary, static_cast<fs::perms>(0666 & ~mask));
}

void syncFolder(const fs::path& folder)
{
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get()); // best effort: some file systems cannot sync a folder
}

} // namespace

StagedFile::StagedFile(fs::path target) : m_target(std::move(target)), m_temporary(makeUniqueFile(m_target)) {}

StagedFile::~StagedFile()
{
    if (!m_swappedIn) {
        std::error_code ignored; // already failing, or never used
        fs::remove(m_temporary, ignored);
    }
}

void StagedFile::write(const QByteArray& bytes)
{
    FileDescriptor fd(::open(m_temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0)
        raiseErrno("cannot write", m_temporary);
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd.get(), data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            raiseErrno("cannot write", m_target);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    fd.close(m_target);
}

void StagedFile::sync() const
{
    FileDescriptor fd(::open(m_temporary.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        raiseErrno("cannot write", m_target);
    fd.close(m_target);
}

void swapInTogether(const std::vector<StagedFile*>& files)
{
    struct Swap {
        StagedFile* file;
        std::optional<fs::path> aside; // the old file, while the swap may still be undone
    };
    std::vector<Swap> swaps;
    // Only once written: given a read-only page file's mode earlier, the
    // temporary could not have been written by anyone but root.
    for (StagedFile* file : files)
        giveUsualPermissions(file->temporary(), file->target());
    try {
        for (StagedFile* file : files) {
            Swap swap{file, std::nullopt};
            if (fs::exists(fs::symlink_status(file->target())))
                swap.aside = makeUniqueFile(file->target());
            swaps.push_back(swap);
            if (swap.aside)
                fs::rename(file->target(), *swap.aside);
            fs::rename(file->temporary(), file->target());
            file->m_swappedIn = true;
        }
    } catch (...) {
        for (auto swap = swaps.rbegin(); swap != swaps.rend(); ++swap) {
            std::error_code ignored; // the first error is the one to report
            if (swap->file->m_swappedIn) {
                fs::rename(swap->file->target(), swap->file->temporary(), ignored);
                swap->file->m_swappedIn = false;
            }
            // The aside name holds the old file, or is still the empty placeholder.
            if (swap->aside && !fs::exists(fs::symlink_status(swap->file->target(), ignored)))
                fs::rename(*swap->aside, swap->file->target(), ignored);
            else if (swap->aside)
                fs::remove(*swap->aside, ignored);
        }
        throw;
    }
    for (const Swap& swap : swaps) {
        std::error_code ignored; // the new page is in place; a leftover is only untidy
        if (swap.aside)
            fs::remove(*swap.aside, ignored);
    }
    if (!files.empty())
        syncFolder(files.front()->target().parent_path());
}

NewFolderGuard::NewFolderGuard(fs::path folder) : m_folder(std::move(folder))
{
    if (!fs::exists(fs::symlink_status(m_folder)))
        m_made = fs::create_directory(m_folder);
}

NewFolderGuard::~NewFolderGuard()
{
    if (m_made) {
        std::error_code ignored; // only an empty folder goes
        fs::remove(m_folder, ignored);
    }
}
