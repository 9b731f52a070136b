// What Windows shows of the program before it runs: its icon, in every size
// Explorer and the Start menu ask for, and the version information in the
// file's properties, French accents included.
#include <QDir>
#include <QTest>

#include <string>

#include <windows.h>

namespace {

const std::wstring kProgram = QDir::toNativeSeparators(QStringLiteral(DENTIVEL_EXE)).toStdWString();

} // namespace

class TestWindowsResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void versionInformation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        // The version must follow the project's, and the accents survive
        // the resource compiler only when it reads the file as UTF-8.
        QTest::newRow("product version") << "ProductVersion" << DENTIVEL_VERSION;
        QTest::newRow("accented company") << "CompanyName"
                                          << "L'équipe Dentivel";
    }

    void versionInformation()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), nullptr);
        QVERIFY(size > 0);
        QByteArray data(size, '\0');
        QVERIFY(GetFileVersionInfoW(kProgram.c_str(), 0, size, data.data()));
        const WORD* translation = nullptr;
        UINT length = 0;
        QVERIFY(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", (void**)&translation,
                               &length));
        QVERIFY(length >= 4);
        QCOMPARE(translation[0], WORD(0x040C)); // French (France)
        const QString key = QStringLiteral("\\StringFileInfo\\%1%2\\%3")
                                .arg(translation[0], 4, 16, QLatin1Char('0'))
                                .arg(translation[1], 4, 16, QLatin1Char('0'))
                                .arg(name);
        const wchar_t* text = nullptr;
        QVERIFY(VerQueryValueW(data.data(), key.toStdWString().c_str(), (void**)&text, &length));
        QCOMPARE(QString::fromWCharArray(text), value);
    }

    void iconInEverySize()
    {
        HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        QVERIFY(program);
        // The first icon is the one Explorer shows; Qt names it IDI_ICON1.
        HRSRC found = FindResourceW(program, L"IDI_ICON1", MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        QVERIFY(found);
        // A group: a 6-byte header, whose last word is the count, then a
        // 14-byte entry per image, whose first byte is its side (0 for 256).
        const auto* group = static_cast<const uchar*>(LockResource(LoadResource(program, found)));
        QList<int> sides;
        for (int i = 0; i < (group[4] | group[5] << 8); ++i)
            sides << (group[6 + 14 * i] ? group[6 + 14 * i] : 256);
        FreeLibrary(program);
        QCOMPARE(sides, (QList<int>{16, 24, 32, 48, 64, 128, 256}));
    }
};

QTEST_GUILESS_MAIN(TestWindowsResources)
#include "test_windows_resources.moc"
