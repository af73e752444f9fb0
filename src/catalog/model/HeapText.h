#pragma once
// A text that costs one pointer when empty: file records carry one each, and
// most of them have no description.
#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

class HeapText {
public:
    HeapText() = default;
    explicit HeapText(std::string_view text) { assign(text); }
    HeapText(const HeapText& other) { assign(other.view()); }
    HeapText(HeapText&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
    HeapText& operator=(const HeapText& other);
    HeapText& operator=(HeapText&& other) noexcept;
    ~HeapText() { reset(); }

    // An empty text frees the storage.
    void assign(std::string_view text);
    void reset();

    bool empty() const { return data_ == nullptr; }
    std::size_t size() const;
    std::string_view view() const;
    std::string str() const { return std::string(view()); }

private:
    // Length (std::size_t) followed by the bytes; nullptr when empty.
    char* data_ = nullptr;
};

}  // namespace kv
