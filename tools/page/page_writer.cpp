#include "tools/page/page_writer.h"

#include "platform/mci/wav_decoder.h"
#include "tools/content/jpeg_writer.h"
#include "tools/page/page_errors.h"
#include "tools/page/staged_file.h"

#include <QFile>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Longer than any text the media layer gives for an error.
constexpr unsigned kErrorTextBytes = 256;

// The program opens the sound with this decoder; a file it refuses would be
// an error box on the child's screen.
void checkPlayerOpens(const StagedFile& staged, const content::WaveClip& clip)
{
    mci::DecodedSound decoded;
    const MCIERROR error = mci::decodeWavFile(staged.temporary().c_str(), {clip.sampleRate, 1}, decoded);
    if (error != 0) {
        char text[kErrorTextBytes] = {};
        mciGetErrorString(error, text, sizeof text);
        throw EPageRefused(std::string("the converted sound does not open in Tolvika's player: ") + text);
    }
    if (decoded.frames() != clip.samples.size())
        throw EPageRefused("the converted sound opens in Tolvika's player with " + std::to_string(decoded.frames())
                           + " samples instead of " + std::to_string(clip.samples.size()));
}

} // namespace

fs::path nativePath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

QStringList writePageFiles(const QString& pageFolder, const ContentPage& paths, const PageFiles& files)
{
    QStringList written;
    try {
        NewFolderGuard folder(nativePath(pageFolder));
        std::vector<std::unique_ptr<StagedFile>> staged;
        if (files.picture) {
            staged.push_back(std::make_unique<StagedFile>(nativePath(paths.picturePath)));
            content::writeBaselineJpeg(*files.picture, staged.back()->temporary());
            written.append(paths.picturePath);
        }
        if (files.text) {
            staged.push_back(std::make_unique<StagedFile>(nativePath(paths.textPath)));
            staged.back()->write(*files.text);
            written.append(paths.textPath);
        }
        if (files.sound) {
            staged.push_back(std::make_unique<StagedFile>(nativePath(paths.soundPath)));
            const std::vector<char> bytes = content::waveFileBytes(*files.sound);
            staged.back()->write(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
            checkPlayerOpens(*staged.back(), *files.sound);
            written.append(paths.soundPath);
        }
        std::vector<StagedFile*> all;
        for (const auto& file : staged) {
            file->sync();
            all.push_back(file.get());
        }
        swapInTogether(all);
        folder.keep();
    } catch (const std::exception& error) {
        throw EPageRefused(std::string(error.what()) + "; the data folder was not changed");
    }
    return written;
}
