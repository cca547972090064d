// Writing a page without ever leaving it half-written: each new file is
// written and flushed to disk under a temporary name beside its final one,
// and only when all of them are complete are they swapped in together; if
// any swap fails, every file is put back as it was. A staged file that is
// never swapped in is removed with its owner.
#pragma once

#include <QByteArray>
#include <filesystem>
#include <vector>

class StagedFile {
public:
    // Creates an empty temporary file in the target's folder, private to its
    // owner until it is swapped in.
    explicit StagedFile(std::filesystem::path target);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::filesystem::path& target() const { return m_target; }
    const std::filesystem::path& temporary() const { return m_temporary; }

    void write(const QByteArray& bytes);
    // Flushes what was written (by write() or by another writer) to the disk.
    void sync() const;

private:
    friend void swapInTogether(const std::vector<StagedFile*>& files);

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    bool m_swappedIn = false;
};

// Gives every staged file its permissions (a replaced file's own, or what
// any program's new file gets), then renames each over its target, all or
// none: an old file is first moved aside under a temporary name and removed
// only at the end.
// Raises the first failure after putting everything back.
void swapInTogether(const std::vector<StagedFile*>& files);

// A folder made for the page, removed again (when still empty) unless kept.
class NewFolderGuard {
public:
    // Makes the folder when it is missing.
    explicit NewFolderGuard(std::filesystem::path folder);
    ~NewFolderGuard();
    NewFolderGuard(const NewFolderGuard&) = delete;
    NewFolderGuard& operator=(const NewFolderGuard&) = delete;

    void keep() { m_made = false; }

private:
    std::filesystem::path m_folder;
    bool m_made = false;
};
