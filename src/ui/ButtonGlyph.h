#pragma once
// The images of toolbar-button glyphs: one image list per glyph size, shared
// by every button, whose slots go back to the list when a button lets go of
// them. Each button's images (the disabled one embossed) are made once.
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ui/ButtonRules.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"

namespace kv::ui {

// The images of one size.
class TGlyphList {
public:
    TGlyphList(int width, int height);
    // A free slot (a released one first) holding image; -1 when the system
    // refuses it.
    int take(HBITMAP image, HBITMAP mask);
    void release(int slot);
    bool draw(HDC dc, int slot, int x, int y) const;
    // Slots the list holds, used or free.
    int count() const { return list_.count(); }
    int used() const { return used_; }

private:
    ImageList list_;
    std::vector<int> free_;
    int used_ = 0;
};

class TGlyphCache {
public:
    TGlyphList& listFor(SIZE size);
    int lists() const { return static_cast<int>(lists_.size()); }
    // The cache of all buttons; it lives while any button holds it.
    static std::shared_ptr<TGlyphCache> shared();

private:
    std::map<std::pair<int, int>, std::unique_ptr<TGlyphList>> lists_;
};

// One button's glyph: a strip of up to five images side by side, its
// bottom-left pixel the see-through colour. A copy of the strip is kept, so
// the caller may free or change its own.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    void setGlyph(HBITMAP strip, int numGlyphs);
    HBITMAP strip() const { return strip_; }
    int numGlyphs() const { return numGlyphs_; }
    void setOldDisabledStyle(bool old);
    bool oldDisabledStyle() const { return oldDisabledStyle_; }
    // The images the strip really holds (0 without one) and their size.
    int count() const;
    SIZE size() const;
    // Draws the image of state with its top-left at x, y; nothing when there
    // is none or the system refused it.
    void draw(HDC dc, TButtonState state, int x, int y);
    const TGlyphCache& cache() const { return *cache_; }

private:
    int slotFor(const GlyphChoice& choice);
    void releaseAll();

    std::shared_ptr<TGlyphCache> cache_;
    TGlyphList* list_ = nullptr;
    GdiObject<HBITMAP> copy_;
    HBITMAP strip_ = nullptr;
    int numGlyphs_ = 1;
    bool oldDisabledStyle_ = false;
    std::vector<int> slots_;  // per strip image; -1 not made
    int embossSlot_ = -1;
    COLORREF embossInk_[2]{};  // the colours it was made in
    bool refused_ = false;     // the list refused an image: no retry on every paint
};

}  // namespace kv::ui
