// The vocabulary of the sound player control: its buttons and button sets, the
// device modes, notification results, device types and capabilities, the error
// it raises and the shapes of its events. Plain values and name tables only;
// the control that uses them is TMediaPlayer.
#pragma once

#include "platform/exception/exception.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>

class TControl;

enum TMPBtnType : std::uint8_t { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr int kMPButtonCount = 9;

// The device's mode: the media interface's mode value minus 524.
enum TMPMode : std::uint8_t { mdNotReady, mdStopped, mdPlaying, mdRecording, mdSeeking, mdPaused, mdOpen };

enum TMPNotifyResult : std::uint8_t { nrSuccessful, nrSuperseded, nrAborted, nrFailure };

enum TMPDeviceTypes : std::uint8_t {
    dtAutoSelect,
    dtAVIVideo,
    dtCDAudio,
    dtDAT,
    dtDigitalVideo,
    dtMMMovie,
    dtOther,
    dtOverlay,
    dtScanner,
    dtSequencer,
    dtVCR,
    dtVideodisc,
    dtWaveAudio
};

// Capabilities of the open device, in the order of the capability set.
enum TMPDevCaps : std::uint8_t { mpCanStep, mpCanEject, mpCanPlay, mpCanRecord, mpUsesWindow };

// A set of up to 16 members of an enumeration, held in 16 bits: bit n stands for member n.
template <typename E> class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members)
    {
        for (E member : members)
            m_bits = static_cast<std::uint16_t>(m_bits | bit(member));
    }
    static constexpr TEnumSet fromBits(std::uint16_t bits)
    {
        TEnumSet set;
        set.m_bits = bits;
        return set;
    }

    constexpr std::uint16_t bits() const { return m_bits; }
    constexpr bool empty() const { return m_bits == 0; }
    constexpr bool contains(E member) const { return (m_bits & bit(member)) != 0; }
    constexpr TEnumSet& include(E member)
    {
        m_bits = static_cast<std::uint16_t>(m_bits | bit(member));
        return *this;
    }
    constexpr TEnumSet& exclude(E member)
    {
        m_bits = static_cast<std::uint16_t>(m_bits & ~bit(member));
        return *this;
    }

    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr std::uint16_t bit(E member) { return static_cast<std::uint16_t>(1u << unsigned(member)); }
    std::uint16_t m_bits = 0;
};

using TButtonSet = TEnumSet<TMPBtnType>;
using TMPDevCapsSet = TEnumSet<TMPDevCaps>;

inline constexpr TButtonSet kAllMPButtons = TButtonSet::fromBits(0x01FF);

// OnClick: raised before a button's default action; clearing DoDefault suppresses
// the action and OnPostClick.
using EMPNotify = std::function<void(TControl* Sender, TMPBtnType Button, bool& DoDefault)>;
// OnPostClick: raised after a button's default action.
using EMPPostNotify = std::function<void(TControl* Sender, TMPBtnType Button)>;

// A device that cannot be opened, or a command given with no device open.
TOLVIKA_ERROR_CLASS(EMCIDeviceError, Exception);

namespace player {

// "btPlay" ... "btEject": the names stored layouts use.
std::string_view buttonName(TMPBtnType button);
std::optional<TMPBtnType> buttonByName(std::string_view name);
// "MPPLAY" ... "MPEJECT": the button's part of its glyph names.
std::string_view glyphPart(TMPBtnType button);
// The device type name the open command passes ("" for dtAutoSelect, "WaveAudio", ...).
std::string_view deviceTypeName(TMPDeviceTypes type);
// "dtAutoSelect" ... "dtWaveAudio": the names stored layouts use.
std::optional<TMPDeviceTypes> deviceTypeByName(std::string_view name);

} // namespace player
