#include "player/player_types.h"

#include <array>

namespace player {

namespace {

struct ButtonNames {
    std::string_view name;
    std::string_view glyph;
};

constexpr std::array<ButtonNames, kMPButtonCount> buttonTable{{
    {"btPlay", "MPPLAY"},
    {"btPause", "MPPAUSE"},
    {"btStop", "MPSTOP"},
    {"btNext", "MPNEXT"},
    {"btPrev", "MPPREV"},
    {"btStep", "MPSTEP"},
    {"btBack", "MPBACK"},
    {"btRecord", "MPRECORD"},
    {"btEject", "MPEJECT"},
}};

struct DeviceTypeNames {
    std::string_view name;
    std::string_view mciName;
};

constexpr std::array<DeviceTypeNames, 13> deviceTypeTable{{
    {"dtAutoSelect", ""},
    {"dtAVIVideo", "AVIVideo"},
    {"dtCDAudio", "CDAudio"},
    {"dtDAT", "DAT"},
    {"dtDigitalVideo", "DigitalVideo"},
    {"dtMMMovie", "MMMovie"},
    {"dtOther", "Other"},
    {"dtOverlay", "Overlay"},
    {"dtScanner", "Scanner"},
    {"dtSequencer", "Sequencer"},
    {"dtVCR", "VCR"},
    {"dtVideodisc", "Videodisc"},
    {"dtWaveAudio", "WaveAudio"},
}};

} // namespace

std::string_view buttonName(TMPBtnType button) { return buttonTable.at(button).name; }

std::optional<TMPBtnType> buttonByName(std::string_view name)
{
    for (std::size_t i = 0; i < buttonTable.size(); ++i)
        if (buttonTable[i].name == name)
            return static_cast<TMPBtnType>(i);
    return std::nullopt;
}

std::string_view glyphPart(TMPBtnType button) { return buttonTable.at(button).glyph; }

std::string_view deviceTypeName(TMPDeviceTypes type) { return deviceTypeTable.at(type).mciName; }

std::optional<TMPDeviceTypes> deviceTypeByName(std::string_view name)
{
    for (std::size_t i = 0; i < deviceTypeTable.size(); ++i)
        if (deviceTypeTable[i].name == name)
            return static_cast<TMPDeviceTypes>(i);
    return std::nullopt;
}

} // namespace player
