#pragma once

#include <optional>
#include <string>
#include <string_view>

// The rules of the numeric edit fields, apart from the controls. Texts are
// read as atoi and atof read them, in the C locale whatever the user's.

// Leading blanks, an optional sign, then digits up to the first other
// character; 0 when there is no digit. Values beyond int saturate.
int ParseIntText(std::string_view text);

// The longest leading number, narrowed to float; 0 when the text is no number.
float ParseFloatText(std::string_view text);

struct IntEditCheck {
    bool accepted = false;
    int value = 0;          // the value read, when accepted
    std::string resetText;  // the current value as text, when refused
};

// Accepted when the value read lies in [minimum, maximum]; otherwise the edit
// is to show the current value again.
IntEditCheck CheckIntEdit(std::string_view text, int current, int minimum, int maximum);

// The value read when it lies in [minimum, maximum]; nothing otherwise, and
// the edit keeps its text.
std::optional<float> CheckFloatEdit(std::string_view text, float minimum, float maximum);
