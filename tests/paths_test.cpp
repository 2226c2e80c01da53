#include "files/paths.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tarnwick {
namespace {

using Parts = std::array<std::u16string, 3>;

Parts Split(std::u16string_view path, PathFlavour flavour) {
  Parts parts;
  SplitPath(path, parts[0], parts[1], parts[2], flavour);
  return parts;
}

constexpr auto kWindows = PathFlavour::Windows;
constexpr auto kPosix = PathFlavour::Posix;

TEST(WindowsPaths, SplitIntoFolderNameUpToTheFirstDotAndExtension) {
  EXPECT_EQ(Split(u"C:\\A\\B\\FORM1.TXT", kWindows), (Parts{u"C:\\A\\B\\", u"FORM1", u"TXT"}));
  EXPECT_EQ(Split(u"X.A.TXT", kWindows), (Parts{u"", u"X", u"A.TXT"}));
  EXPECT_EQ(Split(u"C:\\A.B\\file", kWindows), (Parts{u"C:\\A.B\\", u"file", u""}));
  EXPECT_EQ(Split(u"C:FORM1.TXT", kWindows), (Parts{u"C:", u"FORM1", u"TXT"}));
  EXPECT_EQ(Split(u"C:\\A\\", kWindows), (Parts{u"C:\\A\\", u"", u""}));
  EXPECT_EQ(Split(u"FORM1.", kWindows), (Parts{u"", u"FORM1", u""}));
  EXPECT_EQ(Split(u"A/B.TXT", kWindows), (Parts{u"", u"A/B", u"TXT"}));
  EXPECT_EQ(Split(u"", kWindows), (Parts{u"", u"", u""}));
  EXPECT_EQ(Split(u".profile", kWindows), (Parts{u"", u"", u"profile"}));
  // A ":" after the last backslash ends the folder; a backslash after a ":" wins.
  EXPECT_EQ(Split(u"\\\\srv\\x:y.z", kWindows), (Parts{u"\\\\srv\\x:", u"y", u"z"}));
  EXPECT_EQ(Split(u"D:\\帳票\\ﾌｫｰﾑ.txt", kWindows), (Parts{u"D:\\帳票\\", u"ﾌｫｰﾑ", u"txt"}));
}

TEST(WindowsPaths, JoinAddsABackslashOnlyWhereMissing) {
  EXPECT_EQ(JoinPath(u"C:\\OUT", u"FORM1", u"html", kWindows), u"C:\\OUT\\FORM1.html");
  EXPECT_EQ(JoinPath(u"C:\\OUT\\", u"FORM1", u"html", kWindows), u"C:\\OUT\\FORM1.html");
  EXPECT_EQ(JoinPath(u"", u"R", u"", kWindows), u"R");
  EXPECT_EQ(JoinPath(u"C:/OUT/", u"R", u"", kWindows), u"C:/OUT/\\R");
  // Splitting and joining again: the drive gets a backslash, a trailing dot goes.
  Parts parts = Split(u"C:FORM1.TXT", kWindows);
  EXPECT_EQ(JoinPath(parts[0], parts[1], parts[2], kWindows), u"C:\\FORM1.TXT");
  parts = Split(u"FORM1.", kWindows);
  EXPECT_EQ(JoinPath(parts[0], parts[1], parts[2], kWindows), u"FORM1");
  parts = Split(u"C:\\A\\B\\X.A.TXT", kWindows);
  EXPECT_EQ(JoinPath(parts[0], parts[1], parts[2], kWindows), u"C:\\A\\B\\X.A.TXT");
}

TEST(PosixPaths, SplitAtSlashesOnlyWithNoDrive) {
  EXPECT_EQ(Split(u"/a/b/FORM1.TXT", kPosix), (Parts{u"/a/b/", u"FORM1", u"TXT"}));
  EXPECT_EQ(Split(u"X.A.TXT", kPosix), (Parts{u"", u"X", u"A.TXT"}));
  EXPECT_EQ(Split(u"/a.b/file", kPosix), (Parts{u"/a.b/", u"file", u""}));
  EXPECT_EQ(Split(u"C:FORM1.TXT", kPosix), (Parts{u"", u"C:FORM1", u"TXT"}));
  EXPECT_EQ(Split(u"/a/", kPosix), (Parts{u"/a/", u"", u""}));
  EXPECT_EQ(Split(u"/", kPosix), (Parts{u"/", u"", u""}));
  EXPECT_EQ(Split(u"FORM1.", kPosix), (Parts{u"", u"FORM1", u""}));
  EXPECT_EQ(Split(u"A\\B.TXT", kPosix), (Parts{u"", u"A\\B", u"TXT"}));
  EXPECT_EQ(Split(u"/tmp/C:\\x.y", kPosix), (Parts{u"/tmp/", u"C:\\x", u"y"}));
}

TEST(PosixPaths, JoinAddsASlashOnlyWhereMissing) {
  EXPECT_EQ(JoinPath(u"/out", u"FORM1", u"html", kPosix), u"/out/FORM1.html");
  EXPECT_EQ(JoinPath(u"/out/", u"FORM1", u"html", kPosix), u"/out/FORM1.html");
  EXPECT_EQ(JoinPath(u"", u"R", u"", kPosix), u"R");
  EXPECT_EQ(JoinPath(u"C:\\OUT\\", u"R", u"x", kPosix), u"C:\\OUT\\/R.x");
  const Parts parts = Split(u"/a/FORM1.", kPosix);
  EXPECT_EQ(JoinPath(parts[0], parts[1], parts[2], kPosix), u"/a/FORM1");
}

TEST(Paths, TrailingSeparatorUsesTheFlavourAndIsNeverDoubled) {
  EXPECT_EQ(WithTrailingSeparator(u"/opt/tarnwick", kPosix), u"/opt/tarnwick/");
  EXPECT_EQ(WithTrailingSeparator(u"/opt/tarnwick/", kPosix), u"/opt/tarnwick/");
  EXPECT_EQ(WithTrailingSeparator(u"C:\\T", kWindows), u"C:\\T\\");
  EXPECT_EQ(WithTrailingSeparator(u"C:\\T\\", kWindows), u"C:\\T\\");
  EXPECT_EQ(WithTrailingSeparator(u"C:\\T\\", kPosix), u"C:\\T\\/");
#ifndef _WIN32
  // The default is the platform's own.
  EXPECT_EQ(NativePathFlavour(), kPosix);
  EXPECT_EQ(WithTrailingSeparator(u"x"), u"x/");
  EXPECT_EQ(JoinPath(u"a", u"b", u"c"), u"a/b.c");
#endif
}

}  // namespace
}  // namespace tarnwick
