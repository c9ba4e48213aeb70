#include "number_input.hpp"

#include <cstdlib>
#include <limits>
#include <string>

namespace {

using Traits = std::istream::traits_type;

// A float is rounded correctly from its first 120 significant digits and whether any digit
// after them is not 0: a halfway point between two floats has fewer significant digits.
constexpr std::size_t keptDigits = 120;
// Counts of digits and exponents stop here; no input reaches it, and no sum of two overflows.
constexpr long long countLimit = 1'000'000'000'000'000LL;
// Beyond this decimal exponent every float is 0 or infinite.
constexpr long long exponentLimit = 100'000;

bool isDigit(Traits::int_type c)
{
    return c >= '0' && c <= '9';
}

// Takes a leading + or -, leaving c at the character after it; true for -.
bool takeSign(std::streambuf& buffer, Traits::int_type& c)
{
    if (c != '+' && c != '-') {
        return false;
    }
    const bool negative = c == '-';
    c = buffer.snextc();
    return negative;
}

void countUp(long long& count, long long by)
{
    if (count > -countLimit && count < countLimit) {
        count += by;
    }
}

// Takes what formatted input takes for a float: a sign, digits with at most one full stop, and
// an exponent once there is a digit. Fails, as formatted input does, when no digit came or the
// exponent has none. Leaves in c the character it stopped at.
bool scanReal(std::streambuf& buffer, float& erg, Traits::int_type& c)
{
    c = buffer.sgetc();
    const bool negative = takeSign(buffer, c);

    std::string digits; // significant digits, from the first that is not 0
    bool droppedNonZero = false;
    long long exponent = 0; // the value is 0.<digits> times ten to this
    bool anyDigit = false;
    bool afterPoint = false;
    for (;; c = buffer.snextc()) {
        if (isDigit(c)) {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                countUp(exponent, afterPoint ? -1 : 0);
                continue;
            }
            if (!afterPoint) {
                countUp(exponent, 1);
            }
            if (digits.size() < keptDigits) {
                digits += static_cast<char>(c);
            } else if (c != '0') {
                droppedNonZero = true;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return false;
    }

    if (c == 'e' || c == 'E') {
        c = buffer.snextc();
        const bool negativeExponent = takeSign(buffer, c);
        if (!isDigit(c)) {
            return false;
        }
        long long written = 0;
        for (; isDigit(c); c = buffer.snextc()) {
            if (written < countLimit) {
                written = written * 10 + (c - '0');
            }
        }
        countUp(exponent, negativeExponent ? -written : written);
    }

    if (digits.empty()) {
        erg = negative ? -0.0F : 0.0F;
        return true;
    }
    if (droppedNonZero) {
        digits += '1';
    }
    exponent = exponent < -exponentLimit ? -exponentLimit : exponent;
    exponent = exponent > exponentLimit ? exponentLimit : exponent;
    const std::string text = (negative ? "-0." : "0.") + digits + "e" + std::to_string(exponent);
    // Too large a number gives infinity: it was typed, so it counts, and is judged wrong.
    erg = std::strtof(text.c_str(), nullptr);
    return true;
}

// A sign and digits. A number too large for an int is held as the int's limit: it was typed,
// so it counts, and is a choice other than 1.
bool scanWhole(std::streambuf& buffer, int& ok, Traits::int_type& c)
{
    c = buffer.sgetc();
    const bool negative = takeSign(buffer, c);
    if (!isDigit(c)) {
        return false;
    }
    constexpr long long beyondInt = 1LL << 32;
    long long value = 0;
    for (; isDigit(c); c = buffer.snextc()) {
        if (value < beyondInt) {
            value = value * 10 + (c - '0');
        }
    }
    value = negative ? -value : value;
    constexpr long long largest = std::numeric_limits<int>::max();
    constexpr long long lowest = std::numeric_limits<int>::min();
    ok = static_cast<int>(value > largest ? largest : value < lowest ? lowest : value);
    return true;
}

template <typename Number>
bool readNumber(std::istream& in, Number& value,
                bool (*scan)(std::streambuf&, Number&, Traits::int_type&))
{
    for (;;) {
        const std::istream::sentry numberAhead(in); // skips blanks and line ends
        if (!numberAhead) {
            return false;
        }
        // The end of input is taken from the scan rather than asked for again: a terminal
        // reports it once per Ctrl-D.
        Traits::int_type next = Traits::eof();
        const bool read = scan(*in.rdbuf(), value, next);
        if (Traits::eq_int_type(next, Traits::eof())) {
            in.setstate(std::ios::eofbit);
        }
        if (read) {
            return true;
        }
        if (in.eof()) {
            return false;
        }
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
}

} // namespace

bool readNumber(std::istream& in, float& erg)
{
    return readNumber(in, erg, scanReal);
}

bool readNumber(std::istream& in, int& ok)
{
    return readNumber(in, ok, scanWhole);
}
