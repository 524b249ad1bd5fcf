#pragma once
// A NUL-terminated text of fixed capacity that cannot overflow: whatever does not fit is cut
// off. The calculator's texts are small (127 characters at most) and live in plain records, so
// they are values, not heap strings.

#include <cstddef>
#include <cstring>

template <std::size_t Capacity>
class FixedText {
public:
    static constexpr std::size_t kCapacity = Capacity;

    FixedText() { chars_[0] = '\0'; }
    FixedText(const char* text) { assign(text); }  // NOLINT: texts convert implicitly
    // The first count characters of text, as far as they fit; text holds at least count.
    FixedText(const char* text, std::size_t count) {
        chars_[0] = '\0';
        append(text, count);
    }

    // Only the characters in use are copied: the rest of the buffer is never read.
    FixedText(const FixedText& other) : length_(other.length_) { std::memcpy(chars_, other.chars_, length_ + 1); }
    FixedText& operator=(const FixedText& other) {
        length_ = other.length_;
        std::memmove(chars_, other.chars_, length_ + 1);
        return *this;
    }

    void clear() { length_ = 0; chars_[0] = '\0'; }

    // Copies as much of text as fits; a null text counts as empty.
    void assign(const char* text) {
        clear();
        append(text);
    }

    // The length is counted in a local: a char written may alias any object, the length
    // included, so a member would be stored and loaded again for every character.
    void append(const char* text) {
        if (text == nullptr) return;
        std::size_t length = length_;
        while (*text != '\0' && length < Capacity) chars_[length++] = *text++;
        chars_[length] = '\0';
        length_ = length;
    }

    // The first count characters of text, as far as they fit; text holds at least count.
    void append(const char* text, std::size_t count) {
        if (count > Capacity - length_) count = Capacity - length_;
        std::memcpy(chars_ + length_, text, count);
        length_ += count;
        chars_[length_] = '\0';
    }

    void append(char c) {
        if (length_ < Capacity) {
            chars_[length_++] = c;
            chars_[length_] = '\0';
        }
    }

    void append(char c, std::size_t count) {
        if (count > Capacity - length_) count = Capacity - length_;
        std::memset(chars_ + length_, c, count);
        length_ += count;
        chars_[length_] = '\0';
    }

    // Keeps the first n characters.
    void truncate(std::size_t n) {
        if (n < length_) {
            length_ = n;
            chars_[length_] = '\0';
        }
    }

    // Removes the first n characters.
    void erase_front(std::size_t n) {
        if (n >= length_) {
            clear();
            return;
        }
        std::memmove(chars_, chars_ + n, length_ - n + 1);
        length_ -= n;
    }

    const char* c_str() const { return chars_; }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    bool full() const { return length_ == Capacity; }
    char operator[](std::size_t i) const { return i < length_ ? chars_[i] : '\0'; }

    // In-place edits of characters already present (the drop-frame repair rewrites digits).
    void set(std::size_t i, char c) {
        if (i < length_ && c != '\0') chars_[i] = c;
    }
    char back() const { return length_ > 0 ? chars_[length_ - 1] : '\0'; }

    friend bool operator==(const FixedText& a, const char* b) {
        return b != nullptr && std::strcmp(a.chars_, b) == 0;
    }
    friend bool operator==(const FixedText& a, const FixedText& b) {
        return std::strcmp(a.chars_, b.chars_) == 0;
    }

private:
    // Only chars_[0 .. length_] are ever written before they are read, so the rest is left as
    // it is: filling 128 bytes for every text would cost more than the formatting itself.
    char chars_[Capacity + 1];
    std::size_t length_ = 0;
};

// Every text buffer of the program holds at most 127 characters and the terminating NUL.
constexpr std::size_t kMaxTextLength = 127;
using TextBuffer = FixedText<kMaxTextLength>;
