#include "catalog/model/HeapText.h"

#include <cstring>

namespace kv {

HeapText& HeapText::operator=(const HeapText& other) {
    if (this != &other)
        assign(other.view());
    return *this;
}

HeapText& HeapText::operator=(HeapText&& other) noexcept {
    if (this != &other) {
        reset();
        data_ = other.data_;
        other.data_ = nullptr;
    }
    return *this;
}

void HeapText::assign(std::string_view text) {
    char* fresh = nullptr;
    if (!text.empty()) {
        const std::size_t n = text.size();
        fresh = new char[sizeof n + n];
        std::memcpy(fresh, &n, sizeof n);
        std::memcpy(fresh + sizeof n, text.data(), n);
    }
    reset();
    data_ = fresh;
}

void HeapText::reset() {
    delete[] data_;
    data_ = nullptr;
}

std::size_t HeapText::size() const {
    std::size_t n = 0;
    if (data_)
        std::memcpy(&n, data_, sizeof n);
    return n;
}

std::string_view HeapText::view() const {
    if (!data_)
        return {};
    return {data_ + sizeof(std::size_t), size()};
}

}  // namespace kv
