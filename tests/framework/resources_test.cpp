#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "framework/application.h"
#include "framework/cursor.h"
#include "framework/graphics.h"

using namespace fw;

namespace {

// A resource folder laid out as the program's: pictures/<id>.png, cursors/<id>.png.
class ResourceForkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QDir(dir_.path()).mkpath("pictures");
        QDir(dir_.path()).mkpath("cursors");
        fork_.SetRoot(dir_.path() + "/");
    }

    QString Path(const QString& rel) const { return dir_.path() + "/" + rel; }

    void Write(const QString& rel, const QImage& image) { ASSERT_TRUE(image.save(Path(rel), "PNG")); }

    QTemporaryDir dir_;
    ResourceFork fork_;
};

QImage Sprite() {
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(qRgba(0, 0, 0, 0));
    img.setPixel(0, 0, qRgba(200, 30, 40, 255));
    img.setPixel(2, 1, qRgba(10, 20, 30, 255));
    return img;
}

}  // namespace

TEST_F(ResourceForkTest, PicturesAreOpaqueWithSeeThroughPartsWhite) {
    Write("pictures/5.png", Sprite());
    PicturePtr p = fork_.GetPicture(5);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 3);
    EXPECT_EQ(p->Height(), 2);
    EXPECT_EQ(p->Depth(), 32);
    EXPECT_EQ(p->Graphics().Pixel(0, 0), RGB(200, 30, 40));
    EXPECT_EQ(p->Graphics().Pixel(2, 1), RGB(10, 20, 30));
    EXPECT_EQ(p->Graphics().Pixel(1, 0), kWhite);
    EXPECT_EQ(p->Transparent, 0);
}

TEST_F(ResourceForkTest, EveryReadGoesToTheFile) {
    Write("pictures/5.png", Sprite());
    EXPECT_EQ(fork_.Reads(), 0);
    PicturePtr a = fork_.GetPicture(5);
    PicturePtr b = fork_.GetPicture(5);
    EXPECT_EQ(fork_.Reads(), 2);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);  // separate pictures: drawing on one leaves the other
    a->Graphics().FillRect(0, 0, 3, 2);
    EXPECT_EQ(b->Graphics().Pixel(1, 0), kWhite);
}

TEST_F(ResourceForkTest, MissingOrBrokenResourcesAreNil) {
    EXPECT_FALSE(fork_.GetPicture(6));
    EXPECT_FALSE(fork_.getCursor(6));
    EXPECT_FALSE(fork_.GetPicture(-1));
    EXPECT_EQ(fork_.Reads(), 0);

    QFile junk(Path("pictures/9.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a png");
    junk.close();
    EXPECT_FALSE(fork_.GetPicture(9));
    EXPECT_EQ(fork_.Reads(), 1);

    // A cursor is not a picture.
    Write("cursors/4.png", Sprite());
    EXPECT_FALSE(fork_.GetPicture(4));
}

TEST_F(ResourceForkTest, CursorsKeepAlphaAndReadTheirHotSpot) {
    QImage withSpot = Sprite();
    withSpot.setText("HotSpotX", "2");
    withSpot.setText("HotSpotY", "1");
    Write("cursors/128.png", withSpot);
    Write("cursors/129.png", Sprite());

    CursorPtr c = fork_.getCursor(128);
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->IsArrow());
    EXPECT_EQ(c->HotSpot(), QPoint(2, 1));
    EXPECT_EQ(c->Image().format(), QImage::Format_ARGB32);
    EXPECT_EQ(c->Image().size(), QSize(3, 2));
    EXPECT_EQ(qAlpha(c->Image().pixel(1, 0)), 0);
    EXPECT_EQ(c->Image().pixel(0, 0), qRgba(200, 30, 40, 255));

    CursorPtr plain = fork_.getCursor(129);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->HotSpot(), QPoint(0, 0));
}

TEST(ResourceForkDefaultTest, UnknownIdsInTheBuiltInResourcesAreNil) {
    ResourceFork fork;
    EXPECT_FALSE(fork.GetPicture(987654));
    EXPECT_FALSE(fork.getCursor(987654));
    EXPECT_EQ(fork.Reads(), 0);
}

TEST(CursorTest, ArrowIsOneSharedObject) {
    CursorPtr a = ArrowCursor();
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->IsArrow());
    EXPECT_EQ(a, ArrowCursor());
    EXPECT_FALSE(MouseCursor(QImage(2, 2, QImage::Format_ARGB32), {1, 1}).IsArrow());
}
