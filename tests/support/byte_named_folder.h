// A folder whose name is not UTF-8, inside a temporary folder, for tests of
// file names as bytes: "caf" and the Latin-1 byte 0xE9, as an old archive or
// a Latin-1 desktop names a folder. It is made, filled and removed through
// its bytes, since a QString decoded the usual way cannot name it. And the
// UTF-8 character set a desktop session shows such names in.
#pragma once

#include <QByteArray>
#include <filesystem>
#include <string>

namespace testcontent {

class ByteNamedFolder {
public:
    // The folder's own name: not UTF-8, since 0xE9 would begin a three-byte character.
    static constexpr char kName[] = "caf\xE9";

    ByteNamedFolder();
    ~ByteNamedFolder();
    ByteNamedFolder(const ByteNamedFolder&) = delete;
    ByteNamedFolder& operator=(const ByteNamedFolder&) = delete;

    // The folder's full path as bytes, with its final "/".
    QByteArray path() const;
    // Writes a file below the folder, making its sub-folders; returns the file's path as bytes.
    QByteArray write(const QByteArray& relative, const QByteArray& content) const;

private:
    std::filesystem::path m_root;
};

// For its lifetime, the character set of names shown to a person is UTF-8,
// whatever locale the test was started in.
class Utf8CharacterSet {
public:
    Utf8CharacterSet();
    ~Utf8CharacterSet();
    Utf8CharacterSet(const Utf8CharacterSet&) = delete;
    Utf8CharacterSet& operator=(const Utf8CharacterSet&) = delete;

private:
    std::string m_previous;
};

} // namespace testcontent
