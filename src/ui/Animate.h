#pragma once
// The animation control: plays a silent AVI clip from a resource of any module
// (by name or number) or one of the system's common clips. A clip that cannot
// be opened leaves the control empty: opening reports it, playing does nothing.
#include <windows.h>

#include <string>

#include "ui/Control.h"

namespace kv::ui {

// The system's clips, kept in shell32.
enum class CommonAvi { None, FindFolder, FindFile, FindComputer, CopyFiles, CopyFile, RecycleFile, EmptyRecycle, DeleteFile };

class Animate : public Control {
public:
    Animate();
    ~Animate() override;

    // Each returns whether the clip opened (with a window; without one: true,
    // and the clip opens with the window). module null: this program.
    bool setResName(HINSTANCE module, const std::string& name);
    bool setResId(HINSTANCE module, int id);
    bool setCommonAvi(CommonAvi avi);
    bool opened() const { return opened_; }

    // Frames of one play, and how often it runs (-1: until stopped).
    int startFrame = 0;
    int stopFrame = -1;
    int repetitions = -1;
    void setActive(bool active);
    // True while it plays; a limited play ends by itself.
    bool active() const { return active_; }
    void seek(int frame);

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool open();
    void play();
    void freeLibrary();

    HINSTANCE module_ = nullptr;
    std::string name_;
    int id_ = 0;
    HMODULE ownLibrary_ = nullptr;  // shell32, loaded for the common clips
    bool opened_ = false;
    bool active_ = false;
};

}  // namespace kv::ui
