// The back buffer: keyed blits, opaque copies, lines, and the skipping of repeated drawing.
#include "panelink/panel/ui/panel_canvas.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>

#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/testing/qt_test_support.h"

namespace panelink {
namespace {

using uitest::changedRect;
using uitest::keyedMismatches;

constexpr int kPanel = 1484;
constexpr int kPanelLit = 1485;
constexpr int kMainDial = 1477;  // 143 x 143, round: its corners are transparent
constexpr int kDimple = 1476;    // 39 x 39
constexpr int kLockLit = 1394;   // 27 x 11
constexpr int kLockDark = 1393;

class PanelCanvasTest : public ::testing::Test {
  protected:
    BitmapStore store_;
    PanelCanvas canvas_{store_};
};

TEST_F(PanelCanvasTest, StartsAsThePlainPanelPicture) {
    ASSERT_EQ(canvas_.image().size(), QSize(843, 320));
    EXPECT_TRUE(changedRect(store_.plain(kPanel), canvas_.image()).isEmpty());
}

TEST_F(PanelCanvasTest, BlitLeavesPureGreenOutAndDrawsTheRestExactly) {
    const QImage before = canvas_.image();
    const QRect dial(446, 168, 143, 143);
    // The dial is round: some of its pixels must be the transparent colour for this to test
    // anything.
    ASSERT_NE(store_.plain(kMainDial).pixel(0, 0) | 0xFF000000, 0xFF000000u);
    ASSERT_EQ(store_.plain(kMainDial).pixel(0, 0) | 0xFF000000, 0xFF00FF00u);

    const QRect dirty = canvas_.run({BlitBitmap{kMainDial, 446, 168, 143, 143}});

    EXPECT_TRUE(dial.contains(dirty));
    EXPECT_TRUE(dial.contains(changedRect(before, canvas_.image())));
    EXPECT_EQ(keyedMismatches(store_.plain(kMainDial), dial, before, canvas_.image()), 0);
}

TEST_F(PanelCanvasTest, RepeatedDrawingIsSkippedUntilSomethingElseDrawsOverIt) {
    // Two digits side by side, as the frequency timers draw them again and again.
    const BlitBitmap four{1350, 259, 96, 38, 52};
    const BlitBitmap two{1348, 307, 96, 38, 52};
    EXPECT_FALSE(canvas_.run({four, two}).isEmpty());
    EXPECT_TRUE(canvas_.run({four, two}).isEmpty());
    EXPECT_TRUE(canvas_.run({two}).isEmpty());

    // The dimple covers part of the dial, so the dial is no longer what shows there: drawing
    // the pair again redraws the dial and then the dimple, with the same result.
    const BlitBitmap dial{kMainDial, 446, 168, 143, 143};
    const BlitBitmap dimple{kDimple, 499, 195, 39, 39};
    canvas_.run({dial, dimple});
    const QImage withDimple = canvas_.image();
    EXPECT_FALSE(canvas_.run({dial, dimple}).isEmpty());
    EXPECT_TRUE(changedRect(withDimple, canvas_.image()).isEmpty());
    EXPECT_TRUE(canvas_.run({dimple}).isEmpty());

    // The dial alone wipes the dimple, which must then be drawn again when asked for.
    EXPECT_FALSE(canvas_.run({dial}).isEmpty());
    EXPECT_FALSE(changedRect(withDimple, canvas_.image()).isEmpty());
    EXPECT_FALSE(canvas_.run({dimple}).isEmpty());
    EXPECT_TRUE(changedRect(withDimple, canvas_.image()).isEmpty());
}

TEST_F(PanelCanvasTest, ALabelSwitchedBackAndForthIsRedrawnEachTime) {
    const QImage before = canvas_.image();
    const QRect lock(468, 77, 27, 11);
    const BlitBitmap lit{kLockLit, 468, 77, 27, 11};
    const BlitBitmap dark{kLockDark, 468, 77, 27, 11};
    canvas_.run({lit});
    const QImage litImage = canvas_.image();
    EXPECT_FALSE(canvas_.run({dark}).isEmpty());
    EXPECT_FALSE(canvas_.run({lit}).isEmpty());
    EXPECT_TRUE(changedRect(litImage, canvas_.image()).isEmpty());
    EXPECT_TRUE(lock.contains(changedRect(before, canvas_.image())));
}

TEST_F(PanelCanvasTest, CopyIsOpaqueAndRestoresFromThePlainPicture) {
    const QRect caption(37, 229, 61, 7);
    canvas_.run({CopyBitmapRect{kPanelLit, caption.x(), caption.y(), 61, 7}});
    EXPECT_EQ(canvas_.image().copy(caption), store_.plain(kPanelLit).copy(caption));
    EXPECT_TRUE(caption.contains(changedRect(store_.plain(kPanel), canvas_.image())));

    canvas_.run({CopyBitmapRect{kPanel, caption.x(), caption.y(), 61, 7}});
    EXPECT_TRUE(changedRect(store_.plain(kPanel), canvas_.image()).isEmpty());
}

TEST_F(PanelCanvasTest, LineIsDrawnInsideTheRectangleItReports) {
    const QImage before = canvas_.image();
    const QRect dirty = canvas_.run({DrawLine{688, 256, 688, 251, 0xFF0000, 2}});
    const QRect changed = changedRect(before, canvas_.image());
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_TRUE(dirty.contains(changed));
    EXPECT_EQ(QColor(canvas_.image().pixel(688, 253)), QColor(255, 0, 0));
    // A line is never taken for a repeat: the knob under it is redrawn each time.
    EXPECT_FALSE(canvas_.run({DrawLine{688, 256, 688, 251, 0xFF0000, 2}}).isEmpty());
}

TEST_F(PanelCanvasTest, DrawingPartlyOutsideThePanelIsClippedAndUnknownBitmapsDrawNothing) {
    const QRect dirty = canvas_.run({BlitBitmap{kMainDial, 800, 250, 143, 143}});
    EXPECT_TRUE(QRect(800, 250, 43, 70).contains(dirty));
    EXPECT_FALSE(dirty.isEmpty());

    const QImage clipped = canvas_.image();
    EXPECT_TRUE(canvas_.run({BlitBitmap{9999, 10, 10, 20, 20}}).isEmpty());
    EXPECT_TRUE(canvas_.run({BlitBitmap{kLockLit, -50, -50, 27, 11}}).isEmpty());
    EXPECT_TRUE(changedRect(clipped, canvas_.image()).isEmpty());
}

// At scale 2 the buffer is drawn from the double-size bitmaps at the same panel places; going
// from one scale to the other keeps the background picture exact and resamples only what was
// drawn over it.
TEST_F(PanelCanvasTest, AtScale2TheSameDrawingComesFromTheDoubleSizeBitmaps) {
    canvas_.setScale(2);
    ASSERT_EQ(canvas_.image().size(), QSize(1686, 640));
    EXPECT_EQ(canvas_.size(), QSize(843, 320));
    EXPECT_TRUE(changedRect(store_.plain(kPanel, 2), canvas_.image()).isEmpty());

    const QImage before = canvas_.image();
    const QRect dirty = canvas_.run({BlitBitmap{kMainDial, 446, 168, 143, 143}});
    EXPECT_EQ(dirty, QRect(446, 168, 143, 143)) << "reported in panel pixels";
    const QRect inImage(892, 336, 286, 286);
    EXPECT_TRUE(inImage.contains(changedRect(before, canvas_.image())));
    EXPECT_EQ(keyedMismatches(BitmapStore::load(kMainDial, 2), inImage, before, canvas_.image()),
              0);

    canvas_.setScale(1);
    const QRect changed = changedRect(store_.plain(kPanel), canvas_.image());
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_TRUE(QRect(446, 168, 143, 143).contains(changed));
}

}  // namespace
}  // namespace panelink
