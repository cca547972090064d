// The texts of the media layer's error codes, in our own words. They are shown
// to the user in the error box when a sound cannot be opened, so each says what
// went wrong without naming any function.
#include "platform/mci/mci.h"

#include <algorithm>
#include <cstring>

namespace {

struct ErrorText {
    MCIERROR code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {0, "The command was carried out."},
    {MCIERR_INVALID_DEVICE_ID, "No sound device is open under this device identifier."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "The command was given a flag that it does not take."},
    {MCIERR_UNRECOGNIZED_COMMAND, "The sound device does not know this command."},
    {MCIERR_INVALID_DEVICE_NAME, "Only wave audio devices can be opened."},
    {MCIERR_MISSING_PARAMETER, "The command lacks a parameter that it needs."},
    {MCIERR_UNSUPPORTED_FUNCTION, "The wave audio device cannot carry out this command."},
    {MCIERR_FILE_NOT_FOUND, "The sound file could not be found."},
    {MCIERR_OUTOFRANGE, "The position given lies outside the sound."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "The command was given flags that exclude each other."},
    {MCIERR_BAD_TIME_FORMAT, "The wave audio device measures time in milliseconds only."},
    {MCIERR_INVALID_FILE, "The file is not a WAV sound that can be played, or it is damaged or incomplete."},
    {MCIERR_NULL_PARAMETER_BLOCK, "The command was given no parameter block."},
    {MCIERR_NONAPPLICABLE_FUNCTION, "The command does not apply while the sound device is in its present mode."},
    {MCIERR_FILENAME_REQUIRED, "A sound file name is needed to open a sound device."},
    {MCIERR_FILE_READ, "The sound file exists but could not be read."},
    {MCIERR_NO_SOUND_OUTPUT, "No sound output could be opened, so the sound cannot be played."},
    {MCIERR_SOUND_OUTPUT_FAILED, "The sound output stopped working while the sound was playing."},
    {MCIERR_SOUND_TOO_LARGE, "The sound is too long to be held in memory."},
    {MCIERR_TOO_MANY_DEVICES, "Too many sound devices are open."},
};

} // namespace

bool mciGetErrorString(MCIERROR error, char* buffer, unsigned size)
{
    if (!buffer || size == 0)
        return false;
    const auto* const found = std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                                           [error](const ErrorText& entry) { return entry.code == error; });
    if (found == std::end(kErrorTexts)) {
        buffer[0] = '\0';
        return false;
    }
    const std::size_t length = std::min<std::size_t>(std::strlen(found->text), size - 1);
    std::memcpy(buffer, found->text, length);
    buffer[length] = '\0';
    return true;
}
