#pragma once
// The item flags byte at the head of every record and the category byte of file
// and folder records.
#include <atomic>
#include <cstdint>

namespace kv {

namespace ItemFlags {
inline constexpr std::uint8_t KindMask = 0x07;
inline constexpr std::uint8_t File = 1;
inline constexpr std::uint8_t Folder = 2;
inline constexpr std::uint8_t Disk = 3;
inline constexpr std::uint8_t Catalog = 4;
inline constexpr std::uint8_t HasDescriptions = 0x08;  // folder or disk: a file record has one
inline constexpr std::uint8_t Archive = 0x10;          // archive folder, member, compressed volume
inline constexpr std::uint8_t InSearchScope = 0x20;    // catalog or disk
inline constexpr std::uint8_t FileBlock = 0x40;        // stored only: see FlagsToStore
inline constexpr std::uint8_t VirtualDisk = 0x80;
inline constexpr std::uint8_t NewCatalog = Catalog | InSearchScope;
inline constexpr std::uint8_t NewDisk = Disk | InSearchScope;
}  // namespace ItemFlags

constexpr std::uint8_t GetItemKind(std::uint8_t flags) { return flags & ItemFlags::KindMask; }

// A mask of 0..7 compares the kind; a larger mask tests its bits.
constexpr bool HasFlag(std::uint8_t flags, std::uint8_t mask) {
    return mask > ItemFlags::KindMask ? (flags & mask) != 0 : GetItemKind(flags) == mask;
}

// A mask of 0..7 replaces the kind and keeps bits 3-7; a larger mask sets or clears its bits.
constexpr std::uint8_t WithFlag(std::uint8_t flags, std::uint8_t mask, bool on) {
    if (mask <= ItemFlags::KindMask)
        return static_cast<std::uint8_t>((flags & ~ItemFlags::KindMask) | mask);
    return static_cast<std::uint8_t>(on ? flags | mask : flags & ~mask);
}

constexpr void SetFlag(std::uint8_t& flags, std::uint8_t mask, bool on) { flags = WithFlag(flags, mask, on); }

// The flags byte at the head of a record. A search worker reads the flags of
// the records it walks, without a call to the main thread, while the main
// thread may load the file list of a folder the walk has not reached and mark
// the folder as holding descriptions: every access is atomic. Loads acquire and
// stores release (plain moves on x86), so a worker that sees the mark also sees
// the list that was read before it was set. Still one byte, as stored.
class ItemFlagsByte {
public:
    constexpr ItemFlagsByte() noexcept : v_(0) {}
    constexpr explicit ItemFlagsByte(std::uint8_t v) noexcept : v_(v) {}
    ItemFlagsByte(const ItemFlagsByte& other) noexcept : v_(other.load()) {}
    ItemFlagsByte& operator=(const ItemFlagsByte& other) noexcept {
        store(other.load());
        return *this;
    }
    ItemFlagsByte& operator=(std::uint8_t v) noexcept {
        store(v);
        return *this;
    }
    operator std::uint8_t() const noexcept { return load(); }
    std::uint8_t load() const noexcept { return v_.load(std::memory_order_acquire); }
    void store(std::uint8_t v) noexcept { v_.store(v, std::memory_order_release); }
    // The main thread is the only writer: no read-modify-write is needed.
    ItemFlagsByte& operator|=(std::uint8_t mask) noexcept {
        store(static_cast<std::uint8_t>(load() | mask));
        return *this;
    }
    ItemFlagsByte& operator&=(std::uint8_t mask) noexcept {
        store(static_cast<std::uint8_t>(load() & mask));
        return *this;
    }

private:
    std::atomic<std::uint8_t> v_;
};
static_assert(sizeof(ItemFlagsByte) == 1 && alignof(ItemFlagsByte) == 1);

// Written only when it changes: a byte the walk reads stays untouched when
// browsing finds the mark already set.
inline void SetFlag(ItemFlagsByte& flags, std::uint8_t mask, bool on) {
    const std::uint8_t now = flags.load();
    const std::uint8_t next = WithFlag(now, mask, on);
    if (next != now)
        flags.store(next);
}

// Category byte: bits 0-4 the category code (0 none, 1..31), bits 5..7 the
// catalog's user flags 1..3.
namespace CategoryByte {
inline constexpr std::uint8_t CodeMask = 0x1F;
inline constexpr int UserFlagCount = 3;

constexpr std::uint8_t Code(std::uint8_t b) { return b & CodeMask; }

constexpr std::uint8_t WithCode(std::uint8_t b, std::uint8_t code) {
    return static_cast<std::uint8_t>((b & ~CodeMask) | (code & CodeMask));
}

constexpr std::uint8_t UserFlagBit(int n) {
    return n >= 1 && n <= UserFlagCount ? static_cast<std::uint8_t>(1u << (n + 4)) : 0;
}

constexpr bool HasUserFlag(std::uint8_t b, int n) { return (b & UserFlagBit(n)) != 0; }

constexpr std::uint8_t WithUserFlag(std::uint8_t b, int n, bool on) {
    return static_cast<std::uint8_t>(on ? b | UserFlagBit(n) : b & ~UserFlagBit(n));
}
}  // namespace CategoryByte

}  // namespace kv
