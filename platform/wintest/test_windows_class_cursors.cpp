// SPDX-License-Identifier: MIT
// Class cursors under wine: real cursor files written into a scratch current directory, real
// window classes.

#include "check.h"
#include "test_windows.h"
#include "windows_class_cursors.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

using quellor::ScreenPoint;
using quellor::WindowsClassCursors;
using wintest::classCursor;
using wintest::TestWindow;

namespace {

namespace fs = std::filesystem;

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// A 32 × 32 monochrome cursor file (a vertical bar) with this hot spot; the hot spot tells
// the tests which file a cursor came from.
std::string curFile(int hotX, int hotY) {
    const int side = 32;
    const int maskBytes = side * side / 8;
    std::string image;
    for (std::uint32_t v : {40u, 32u, 64u}) { // header size, width, height of both masks
        put32(image, v);
    }
    put16(image, 1); // planes
    put16(image, 1); // bits per pixel
    for (std::uint32_t v : {0u, 2u * maskBytes, 0u, 0u, 0u, 0u}) {
        put32(image, v);
    }
    put32(image, 0x000000); // palette: black, white
    put32(image, 0xffffff);
    std::string colour(maskBytes, '\0');
    std::string transparency(maskBytes, '\xff');
    for (int row = 0; row < side; ++row) {
        colour[row * side / 8] = '\x80';
        transparency[row * side / 8] = '\x7f';
    }
    image += colour + transparency;

    std::string file;
    put16(file, 0); // reserved
    put16(file, 2); // cursor
    put16(file, 1); // one image
    file += static_cast<char>(side);
    file += static_cast<char>(side);
    put16(file, 0); // colour count, reserved
    put16(file, hotX);
    put16(file, hotY);
    put32(file, image.size());
    put32(file, 22); // image offset: right after this entry
    return file + image;
}

std::string riffChunk(const char* id, const std::string& data) {
    std::string chunk(id, 4);
    put32(chunk, data.size());
    chunk += data;
    if (data.size() % 2 != 0) {
        chunk += '\0';
    }
    return chunk;
}

// An animated cursor of two frames, both with this hot spot.
std::string aniFile(int hotX, int hotY) {
    std::string header;
    for (std::uint32_t v :
         {36u, 2u, 2u, 0u, 0u, 0u, 0u, 10u, 1u}) { // size, frames, steps, …, rate, icon flag
        put32(header, v);
    }
    const std::string frames =
        "fram" + riffChunk("icon", curFile(hotX, hotY)) + riffChunk("icon", curFile(hotX, hotY));
    return riffChunk("RIFF", "ACON" + riffChunk("anih", header) + riffChunk("LIST", frames));
}

ScreenPoint hotspot(HCURSOR cursor) {
    ICONINFO info{};
    if (cursor == nullptr || !GetIconInfo(cursor, &info)) {
        return {-1, -1};
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    return {static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
}

// A scratch directory that is the current directory for its lifetime.
class CursorDirectory {
public:
    CursorDirectory()
        : m_previous(fs::current_path()),
          m_dir(fs::temp_directory_path() / ("quellor-cursors-" + std::to_string(GetCurrentProcessId()) +
                                             "-" + std::to_string(++s_count))) {
        fs::create_directories(m_dir);
        fs::current_path(m_dir);
    }
    ~CursorDirectory() {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    CursorDirectory(const CursorDirectory&) = delete;
    CursorDirectory& operator=(const CursorDirectory&) = delete;

    void write(const char* name, const std::string& bytes) const {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
    void remove(const char* name) const { fs::remove(m_dir / name); }

private:
    static inline int s_count = 0;
    fs::path m_previous;
    fs::path m_dir;
};

// One window of a fresh class each for forms and buttons, plus a class the cursors never reach.
struct Classes {
    std::string form = wintest::registerFreshClass("QuellorForm");
    std::string button = wintest::registerFreshClass("QuellorButton");
    std::string other = wintest::registerFreshClass("QuellorOther");
    TestWindow formWindow{form, 0, 0, 50, 50};
    TestWindow buttonWindow{button, 0, 0, 50, 50};
    TestWindow otherWindow{other, 0, 0, 50, 50};
};

const HCURSOR kArrow = LoadCursorA(nullptr, IDC_ARROW);

} // namespace

TEST_CASE(each_cursor_comes_from_its_own_file_in_the_current_directory) {
    CursorDirectory dir;
    dir.write("hand.ani", aniFile(7, 9));
    dir.write("hand1.cur", curFile(3, 5));
    WindowsClassCursors cursors;
    cursors.load();
    CHECK_EQ(hotspot(cursors.formCursor()), (ScreenPoint{7, 9}));
    CHECK_EQ(hotspot(cursors.buttonCursor()), (ScreenPoint{3, 5}));
}

TEST_CASE(an_installed_cursor_reaches_every_window_of_the_class) {
    CursorDirectory dir;
    dir.write("hand.ani", aniFile(7, 9));
    dir.write("hand1.cur", curFile(3, 5));
    WindowsClassCursors cursors;
    cursors.load();
    Classes classes;
    TestWindow secondForm(classes.form, 0, 0, 50, 50);
    cursors.installFormCursor(classes.formWindow.id());
    cursors.installButtonCursor(classes.buttonWindow.id());
    TestWindow laterForm(classes.form, 0, 0, 50, 50);
    TestWindow laterButton(classes.button, 0, 0, 50, 50);

    CHECK_EQ(classCursor(secondForm.hwnd()), cursors.formCursor());
    CHECK_EQ(classCursor(laterForm.hwnd()), cursors.formCursor());
    CHECK_EQ(classCursor(laterButton.hwnd()), cursors.buttonCursor());
    CHECK_EQ(classCursor(classes.otherWindow.hwnd()), kArrow);
}

TEST_CASE(a_cursor_file_that_does_not_load_leaves_its_class_alone) {
    enum class File { Good, Missing, Garbage, Empty };
    struct Row {
        const char* label;
        File ani;
        File cur;
    };
    const Row rows[] = {
        {"both load", File::Good, File::Good},
        {"no hand.ani", File::Missing, File::Good},
        {"no hand1.cur", File::Good, File::Missing},
        {"neither", File::Missing, File::Missing},
        {"hand.ani is garbage", File::Garbage, File::Good},
        {"hand1.cur is empty", File::Good, File::Empty},
    };
    auto write = [](const CursorDirectory& dir, const char* name, File state, const std::string& good) {
        if (state == File::Good) {
            dir.write(name, good);
        } else if (state == File::Garbage) {
            dir.write(name, std::string("RIFF\x40\0\0\0ACONanih", 16) + std::string(64, '\x7f'));
        } else if (state == File::Empty) {
            dir.write(name, "");
        }
    };
    for (const Row& r : rows) {
        check::Row row(r.label);
        CursorDirectory dir;
        write(dir, "hand.ani", r.ani, aniFile(7, 9));
        write(dir, "hand1.cur", r.cur, curFile(3, 5));
        WindowsClassCursors cursors;
        cursors.load();
        Classes classes;
        cursors.installFormCursor(classes.formWindow.id());
        cursors.installButtonCursor(classes.buttonWindow.id());

        const bool aniLoads = r.ani == File::Good;
        const bool curLoads = r.cur == File::Good;
        CHECK_EQ(hotspot(cursors.formCursor()), (aniLoads ? ScreenPoint{7, 9} : ScreenPoint{-1, -1}));
        CHECK_EQ(hotspot(cursors.buttonCursor()), (curLoads ? ScreenPoint{3, 5} : ScreenPoint{-1, -1}));
        CHECK_EQ(classCursor(classes.formWindow.hwnd()), aniLoads ? cursors.formCursor() : kArrow);
        CHECK_EQ(classCursor(classes.buttonWindow.hwnd()), curLoads ? cursors.buttonCursor() : kArrow);
    }
}

TEST_CASE(loading_again_replaces_only_what_loads) {
    CursorDirectory dir;
    dir.write("hand.ani", aniFile(7, 9));
    dir.write("hand1.cur", curFile(3, 5));
    WindowsClassCursors cursors;
    cursors.load();
    const HCURSOR firstButton = cursors.buttonCursor();

    dir.write("hand.ani", aniFile(11, 12));
    dir.remove("hand1.cur");
    cursors.load();
    CHECK_EQ(hotspot(cursors.formCursor()), (ScreenPoint{11, 12}));
    CHECK_EQ(cursors.buttonCursor(), firstButton);
    CHECK_EQ(hotspot(cursors.buttonCursor()), (ScreenPoint{3, 5}));

    const HCURSOR secondForm = cursors.formCursor();
    dir.remove("hand.ani");
    dir.write("hand1.cur", curFile(13, 14));
    cursors.load();
    CHECK_EQ(cursors.formCursor(), secondForm);
    CHECK_EQ(hotspot(cursors.buttonCursor()), (ScreenPoint{13, 14}));
}
