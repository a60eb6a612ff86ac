// The About box's portable parts: the credit line kept scrambled in the program, and the click
// sequence that uncovers the hidden picture.
#pragma once

#include <cstdint>
#include <string>

namespace about {

constexpr int kCreditLength = 23;
extern const uint8_t kScrambledCredit[kCreditLength];

// Each byte rotated left by two bits.
std::string UnscrambleCredit(const uint8_t* bytes, int length);

// Counts left-button releases from 0; a right press at exactly four shows the picture.
class ClickSequence {
  public:
    // A left-button release: one more, or 10 (closed for good) once the count is above 5.
    void LeftRelease() { count_ = count_ > 5 ? 10 : static_cast<uint8_t>(count_ + 1); }
    // A right-button press: true when the hidden picture is to be painted now.
    bool RightPress() {
        if (count_ != 4) return false;
        count_ = 6;
        return true;
    }
    // A right-button release: true when the picture was showing and must be painted over.
    bool RightRelease() {
        const bool showing = count_ == 6;
        count_ = 10;
        return showing;
    }
    uint8_t Count() const { return count_; }

  private:
    uint8_t count_ = 0;
};

}  // namespace about
