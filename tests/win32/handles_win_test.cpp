// The handle holders of the thin Win32 layer free each handle exactly once: at the end of
// the holder that has it, after a move (the moved-from holder frees nothing), after reset
// (the old handle at once, the new one at the end), never after release. Checked with a
// counting handle kind for the holder's logic, with real handles of every kind the module
// and the mode switch hold, and with a counting COM object for ComPtr.
#include "platform/win32/handles_win.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace zd::win {
namespace {

std::map<int, int> g_frees;  // handle -> times freed

struct CountedTraits {
  using Handle = int;
  static Handle Invalid() { return 0; }
  static void Close(Handle h) { ++g_frees[h]; }
};
using Counted = Unique<CountedTraits>;

class Holders : public ::testing::Test {
 protected:
  void SetUp() override { g_frees.clear(); }
};

TEST_F(Holders, EachHandleIsFreedOnceWhateverHappensToItsHolder) {
  {
    Counted a(1);
    Counted b(std::move(a));  // moved: a frees nothing
    Counted c(2);
    c = std::move(b);  // c frees 2 at once and takes 1
    EXPECT_EQ(g_frees, (std::map<int, int>{{2, 1}}));
    Counted& same = c;
    c = std::move(same);  // a move onto itself keeps the handle
    Counted d(3);
    d.reset(4);  // 3 freed at once, 4 at the end
    d.reset(4);  // the handle held already: kept, not freed
    Counted e(5);
    e.reset();
    e.reset();  // nothing left to free
    Counted f(6);
    EXPECT_EQ(f.release(), 6);  // given up: never freed by the holder
    EXPECT_FALSE(f);
    EXPECT_EQ(g_frees, (std::map<int, int>{{2, 1}, {3, 1}, {5, 1}}));
  }
  EXPECT_EQ(g_frees, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
}

// Real handles: after the holder that has it ends, the handle is gone; the moved-from
// holder did not free it early (the object is alive until then).
template <typename Holder, typename Make, typename Alive>
void ExpectFreedOnceByItsLastHolder(Make make, Alive alive) {
  typename Holder::Handle h{};
  {
    Holder first(make());
    h = first.get();
    ASSERT_TRUE(alive(h));
    Holder second(std::move(first));
    { Holder gone(std::move(first)); }  // holds nothing: frees nothing
    EXPECT_TRUE(alive(h)) << "freed by a holder it had left";
    Holder third;
    third = std::move(second);
    EXPECT_TRUE(alive(h));
    Holder other(make());
    const auto otherHandle = other.get();
    other.reset();
    EXPECT_FALSE(alive(otherHandle)) << "reset frees at once";
  }
  EXPECT_FALSE(alive(h)) << "not freed by its last holder";
}

bool GdiAlive(HGDIOBJ h) { return GetObjectType(h) != 0; }

TEST(RealHandles, EveryKindIsFreedByItsLastHolder) {
  ExpectFreedOnceByItsLastHolder<Brush>([] { return CreateSolidBrush(RGB(1, 2, 3)); }, GdiAlive);
  ExpectFreedOnceByItsLastHolder<Pen>([] { return CreatePen(PS_SOLID, 1, RGB(1, 2, 3)); },
                                      GdiAlive);
  ExpectFreedOnceByItsLastHolder<Font>(
      [] {
        LOGFONTW f{};
        f.lfHeight = 12;
        return CreateFontIndirectW(&f);
      },
      GdiAlive);
  ExpectFreedOnceByItsLastHolder<Bitmap>([] { return CreateBitmap(4, 4, 1, 32, nullptr); },
                                         GdiAlive);
  ExpectFreedOnceByItsLastHolder<MemoryDc>([] { return CreateCompatibleDC(nullptr); }, GdiAlive);
  ExpectFreedOnceByItsLastHolder<KernelHandle>(
      [] { return CreateEventW(nullptr, TRUE, FALSE, nullptr); },
      [](HANDLE h) {
        DWORD flags = 0;
        return GetHandleInformation(h, &flags) != 0;
      });
  ExpectFreedOnceByItsLastHolder<Icon>(
      [] {
        const BYTE mask[4 * 4] = {};
        return CreateIcon(nullptr, 4, 4, 1, 1, mask, mask);
      },
      [](HICON h) {
        ICONINFO info{};
        if (!GetIconInfo(h, &info)) return false;
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        return true;
      });
}

// A COM object that counts its references (COM objects are never deleted through their
// interface, so the interface has no virtual destructor).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Counter final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  int refs = 1;  // the reference its maker hands over
};
#pragma GCC diagnostic pop

TEST(ComPointers, EachReferenceIsReleasedOnce) {
  Counter a, b;
  {
    ComPtr<IUnknown> p(&a);
    ComPtr<IUnknown> copy = p;  // a reference of its own
    EXPECT_EQ(a.refs, 2);
    ComPtr<IUnknown> moved(std::move(copy));
    EXPECT_EQ(a.refs, 2);
    moved = p;  // the same object: one reference for each holder
    EXPECT_EQ(a.refs, 2);
    moved.reset(&b);  // takes b's handed-over reference, releases its a
    EXPECT_EQ(a.refs, 1);
    b.AddRef();
    moved.reset(&b);  // a second reference to b: the first is released
    EXPECT_EQ(b.refs, 1);
    *p.put() = &b;  // put releases the old reference first
    EXPECT_EQ(a.refs, 0);
    b.AddRef();
  }
  EXPECT_EQ(a.refs, 0);
  EXPECT_EQ(b.refs, 0);
}

}  // namespace
}  // namespace zd::win
