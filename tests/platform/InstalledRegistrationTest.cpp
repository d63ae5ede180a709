// The first run and an installed package register the same file type without getting in
// each other's way.
#include "platform/XdgFileTypeRegistration.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

namespace
{

QString text(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll())
                                       : QStringLiteral("<missing>");
}

void touch(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// The MIME types a file declares or handles, in order.
QStringList mimeTypesIn(const QString &content)
{
    QStringList types;
    static const QRegularExpression declared(QStringLiteral("type=\"([^\"]+)\""));
    for (const QRegularExpressionMatch &m : declared.globalMatch(content))
        types << m.captured(1);
    static const QRegularExpression handled(QStringLiteral("\\nMimeType=([^\\n]*)"));
    const QRegularExpressionMatch m = handled.match(content);
    if (m.hasMatch())
        types << m.captured(1).split(u';', Qt::SkipEmptyParts);
    return types;
}

} // namespace

TEST(InstalledRegistration, TheFirstRunLeavesAnInstalledRegistrationAlone)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString home = root.path() + "/home";
    const QString usr = root.path() + "/usr/share";
    const QString local = root.path() + "/usr/local/share";
    const QString userEntry = home + "/applications/orvane.desktop";

    // Only half a package (a menu entry without its file type) does not count.
    touch(usr + "/applications/orvane.desktop");
    EXPECT_FALSE(XdgFileTypeRegistration::installedForEveryone({local, usr}));
    ASSERT_TRUE(
        XdgFileTypeRegistration(home, "/opt/orvane", {local, usr}).registerFileType(".qel"));
    EXPECT_TRUE(QFile::exists(userEntry));
    ASSERT_TRUE(QDir(home).removeRecursively());

    touch(usr + "/mime/packages/orvane.xml");
    EXPECT_TRUE(XdgFileTypeRegistration::installedForEveryone({local, usr}));
    EXPECT_TRUE(
        XdgFileTypeRegistration(home, "/opt/orvane", {local, usr}).registerFileType(".qel"));
    EXPECT_FALSE(QDir(home).exists()) << "nothing written in the user's folder";
}

TEST(InstalledRegistration, ThePackageAndTheFirstRunDeclareTheSameFileType)
{
    const QString packaging = QStringLiteral(ORVANE_SOURCE_DIR "/packaging/");
    const QString mimeType = XdgFileTypeRegistration::mimeTypeName(".qel");
    EXPECT_EQ(mimeTypesIn(text(packaging + "orvane.xml")), QStringList{mimeType});
    EXPECT_EQ(mimeTypesIn(XdgFileTypeRegistration::mimePackage(".qel")), QStringList{mimeType});
    EXPECT_TRUE(text(packaging + "orvane.xml").contains("<glob pattern=\"*.qel\"/>"));
    EXPECT_EQ(mimeTypesIn(text(packaging + "orvane.desktop")), QStringList{mimeType});
    EXPECT_EQ(mimeTypesIn(XdgFileTypeRegistration::desktopEntry("/opt/orvane", ".qel")),
              QStringList{mimeType});
}
