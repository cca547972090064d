#include "tests/support/byte_named_folder.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace testcontent {

namespace {

std::filesystem::path bytesPath(const QByteArray& bytes) { return std::string(bytes.constData(), bytes.size()); }

} // namespace

ByteNamedFolder::ByteNamedFolder()
{
    std::string root = (std::filesystem::temp_directory_path() / "tolvika-bytes-XXXXXX").string();
    if (!mkdtemp(root.data()))
        throw std::runtime_error("no temporary folder");
    m_root = root;
    std::filesystem::create_directory(m_root / kName);
}

ByteNamedFolder::~ByteNamedFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

QByteArray ByteNamedFolder::path() const
{
    const std::string native = (m_root / kName).native();
    return QByteArray(native.data(), static_cast<qsizetype>(native.size())) + '/';
}

QByteArray ByteNamedFolder::write(const QByteArray& relative, const QByteArray& content) const
{
    const QByteArray file = path() + relative;
    std::filesystem::create_directories(bytesPath(file).parent_path());
    std::ofstream out(bytesPath(file), std::ios::binary);
    out.write(content.constData(), content.size());
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.toStdString());
    return file;
}

Utf8CharacterSet::Utf8CharacterSet() : m_previous(std::setlocale(LC_CTYPE, nullptr))
{
    if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
        throw std::runtime_error("no C.UTF-8 locale");
}

Utf8CharacterSet::~Utf8CharacterSet() { std::setlocale(LC_CTYPE, m_previous.c_str()); }

} // namespace testcontent
