#pragma once
// Event handler types shared by the controls: keys and raw window messages.
#include "component.h"

#include <cstdint>
#include <functional>

using WORD = unsigned short;

// Which modifier keys and mouse buttons were down when an event happened.
enum TShiftStateFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32
};

// A small set of TShiftStateFlag values.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag Flag) : FBits(Flag) {}
    static constexpr TShiftState FromBits(unsigned Bits) {
        TShiftState s;
        s.FBits = Bits & 63u;
        return s;
    }

    constexpr bool Contains(TShiftStateFlag Flag) const { return (FBits & Flag) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr unsigned Bits() const { return FBits; }

    constexpr TShiftState& operator|=(TShiftState Other) {
        FBits |= Other.FBits;
        return *this;
    }
    constexpr TShiftState& operator-=(TShiftState Other) {
        FBits &= ~Other.FBits;
        return *this;
    }
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { return a |= b; }
    friend constexpr TShiftState operator-(TShiftState a, TShiftState b) { return a -= b; }
    friend constexpr bool operator==(TShiftState a, TShiftState b) { return a.FBits == b.FBits; }
    friend constexpr bool operator!=(TShiftState a, TShiftState b) { return a.FBits != b.FBits; }

private:
    unsigned FBits = 0;
};

constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b) {
    return TShiftState(a) | TShiftState(b);
}

// A key went down or up; the handler may change Key, and setting it to 0 swallows the key.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// A character was typed; setting Key to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

// A raw window message as the controls see it, before their own handling.
struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};
// Handled set to true stops the message's default handling.
using TMessageEvent = std::function<void(TMessage& Msg, bool& Handled)>;
