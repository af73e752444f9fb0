#include "ui/ButtonGlyph.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/GlyphStrip.h"
#include "ui/UiErrors.h"

namespace kv::ui {

namespace {

// The pixels of image index of the strip, row by row from the top.
std::vector<COLORREF> glyphPixels(HBITMAP strip, int index, SIZE g) {
    BitmapCanvas source(g.cx, g.cy);
    Canvas(source.dc()).draw(0, 0, strip, RECT{index * g.cx, 0, (index + 1) * g.cx, g.cy}, false);
    std::vector<COLORREF> px(static_cast<std::size_t>(g.cx) * static_cast<std::size_t>(g.cy));
    for (int y = 0; y < g.cy; ++y)
        for (int x = 0; x < g.cx; ++x) px[static_cast<std::size_t>(y * g.cx + x)] = source.pixel(x, y);
    return px;
}

// An image and its one-bit mask for the list. The image is black where the
// mask is set, as a masked image list draws it.
struct MaskedImage {
    GdiObject<HBITMAP> image;
    GdiObject<HBITMAP> mask;
};

MaskedImage makeMasked(SIZE g, const std::vector<COLORREF>& px, const std::vector<bool>& clear) {
    MaskedImage out;
    PixelBitmap image = createPixelBitmap(g.cx, g.cy);
    if (!image.pixels) return out;
    const std::size_t stride = static_cast<std::size_t>((g.cx + 15) / 16 * 2);  // mono rows are word-aligned
    std::vector<BYTE> maskBits(stride * static_cast<std::size_t>(g.cy), 0);
    for (int y = 0; y < g.cy; ++y)
        for (int x = 0; x < g.cx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * g.cx + x);
            image.pixels[i] = clear[i] ? 0 : toPixel(px[i]);
            if (clear[i]) maskBits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
        }
    GdiFlush();
    out.image = std::move(image.bitmap);
    out.mask.reset(CreateBitmap(g.cx, g.cy, 1, 1, maskBits.data()));
    return out;
}

}  // namespace

TGlyphList::TGlyphList(int width, int height) : list_(width, height, ILC_COLOR24 | ILC_MASK, 4) {}

int TGlyphList::take(HBITMAP image, HBITMAP mask) {
    if (!image || !mask) return -1;
    try {
        int slot;
        if (!free_.empty()) {
            slot = free_.back();
            list_.replace(slot, image, mask);
            free_.pop_back();
        } else {
            slot = list_.add(image, mask);
        }
        ++used_;
        return slot;
    } catch (const EInvalidOperation&) {
        // Images are made while painting, which must not raise: no image then.
        return -1;
    }
}

void TGlyphList::release(int slot) {
    if (slot < 0 || slot >= list_.count() || std::find(free_.begin(), free_.end(), slot) != free_.end()) return;
    free_.push_back(slot);
    --used_;
}

bool TGlyphList::draw(HDC dc, int slot, int x, int y) const { return list_.draw(dc, slot, x, y, ILD_TRANSPARENT); }

TGlyphList& TGlyphCache::listFor(SIZE size) {
    auto& list = lists_[{size.cx, size.cy}];
    if (!list) list = std::make_unique<TGlyphList>(size.cx, size.cy);
    return *list;
}

std::shared_ptr<TGlyphCache> TGlyphCache::shared() {
    // One of the program's shared image lists: held by the buttons, gone with
    // the last of them. Main thread only, as the buttons are.
    static std::weak_ptr<TGlyphCache> current;
    std::shared_ptr<TGlyphCache> cache = current.lock();
    if (!cache) {
        cache = std::make_shared<TGlyphCache>();
        current = cache;
    }
    return cache;
}

TButtonGlyph::TButtonGlyph() : cache_(TGlyphCache::shared()) {}

TButtonGlyph::~TButtonGlyph() { releaseAll(); }

void TButtonGlyph::releaseAll() {
    if (list_) {
        for (int s : slots_) list_->release(s);
        list_->release(embossSlot_);
    }
    list_ = nullptr;
    slots_.assign(static_cast<std::size_t>(count()), -1);
    embossSlot_ = -1;
}

void TButtonGlyph::setGlyph(HBITMAP strip, int numGlyphs) {
    releaseAll();
    copy_.reset(strip ? static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr);
    strip_ = copy_.get();
    numGlyphs_ = std::clamp(numGlyphs, 1, 5);
    slots_.assign(static_cast<std::size_t>(count()), -1);
}

void TButtonGlyph::setOldDisabledStyle(bool old) {
    if (old == oldDisabledStyle_) return;
    oldDisabledStyle_ = old;
    if (list_) list_->release(embossSlot_);
    embossSlot_ = -1;
}

int TButtonGlyph::count() const { return glyphCount(strip_, numGlyphs_); }

SIZE TButtonGlyph::size() const { return glyphSize(strip_, numGlyphs_); }

// Slot values: an index, -1 not made yet, -2 refused by the list (not tried again).
int TButtonGlyph::slotFor(const GlyphChoice& choice) {
    const SIZE g = size();
    if (!list_) list_ = &cache_->listFor(g);
    const COLORREF see = transparentColor(strip_);
    if (!choice.emboss) {
        int& slot = slots_[static_cast<std::size_t>(std::clamp(choice.index, 0, count() - 1))];
        if (slot == -1) {
            const std::vector<COLORREF> px = glyphPixels(strip_, choice.index, g);
            std::vector<bool> clear(px.size());
            std::transform(px.begin(), px.end(), clear.begin(), [&](COLORREF c) { return c == see; });
            const MaskedImage m = makeMasked(g, px, clear);
            slot = list_->take(m.image.get(), m.mask.get());
            if (slot < 0) slot = -2;
        }
        return slot;
    }
    // The disabled image: the first image's shape in highlight at (1, 1), then
    // in shadow; made again only when those colours change.
    const COLORREF ink[2]{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    if (embossSlot_ >= 0 && (ink[0] != embossInk_[0] || ink[1] != embossInk_[1])) {
        list_->release(embossSlot_);
        embossSlot_ = -1;
    }
    if (embossSlot_ != -1) return embossSlot_;
    embossInk_[0] = ink[0];
    embossInk_[1] = ink[1];
    const std::vector<COLORREF> src = glyphPixels(strip_, 0, g);
    auto background = [&](COLORREF c) {
        return c == see || (oldDisabledStyle_ && (c == RGB(255, 255, 255) || c == RGB(0xC0, 0xC0, 0xC0)));
    };
    std::vector<COLORREF> px(src.size(), 0);
    std::vector<bool> clear(src.size(), true);
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < g.cy; ++y)
            for (int x = 0; x < g.cx; ++x) {
                const int tx = x + 1 - pass, ty = y + 1 - pass;
                if (tx >= g.cx || ty >= g.cy || background(src[static_cast<std::size_t>(y * g.cx + x)])) continue;
                const std::size_t i = static_cast<std::size_t>(ty * g.cx + tx);
                px[i] = ink[pass];
                clear[i] = false;
            }
    const MaskedImage m = makeMasked(g, px, clear);
    embossSlot_ = list_->take(m.image.get(), m.mask.get());
    if (embossSlot_ < 0) embossSlot_ = -2;
    return embossSlot_;
}

void TButtonGlyph::draw(HDC dc, TButtonState state, int x, int y) {
    const int n = count();
    if (n == 0) return;
    const int slot = slotFor(GlyphFor(state, n));
    if (slot >= 0) list_->draw(dc, slot, x, y);
}

}  // namespace kv::ui
