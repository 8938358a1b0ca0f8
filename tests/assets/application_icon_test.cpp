#include "assets/application_icon.h"

#include <QFile>
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(ApplicationIcon, IsCompiledInAndRenders)
{
    ASSERT_TRUE(QFile::exists(QString::fromLatin1(applicationIconPath)));
    const QIcon icon(QString::fromLatin1(applicationIconPath));
    ASSERT_FALSE(icon.isNull());
    const QImage rendered = icon.pixmap(64, 64).toImage();
    ASSERT_EQ(rendered.size(), QSize(64, 64));
    // Opaque in the middle, transparent outside the rounded corner.
    EXPECT_EQ(qAlpha(rendered.pixel(32, 32)), 255);
    EXPECT_EQ(qAlpha(rendered.pixel(0, 0)), 0);
}

} // namespace
