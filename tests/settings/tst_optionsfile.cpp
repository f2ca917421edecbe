#include "settings/optionsfile.h"

#include <QTest>

using settings::FieldTexts;
using settings::KeySet;
using settings::OptionsRecord;

namespace {

const QByteArray DefaultFile = "Translucent=255\r\nBringToFront=1\r\nAutoHide=1\r\nHideBar=0\r\nViewDate=1\r\n"
                               "ViewBorder=1\r\nBorderWidth=4\r\nColorBorder=12632256\r\nViewTextHours=1\r\n"
                               "ColorTextHours=0\r\nViewSecond=1\r\nColorLancetSecond=0\r\nColorLancetMinute=255\r\n"
                               "ColorLancetHour=16711680\r\n";

// A file of fourteen lines "Kn=value" with the given values.
QByteArray fileOf(const QList<QByteArray> &values)
{
    QByteArray bytes;
    for (int i = 0; i < values.size(); ++i)
        bytes += "K" + QByteArray::number(i + 1) + "=" + values[i] + "\r\n";
    return bytes;
}

const QList<QByteArray> GoodValues = {"100", "0", "0", "1", "0", "0", "12", "-2147483633", "0", "65280", "0",
                                      "16777215", "8421504", "128"};

OptionsRecord goodRecord()
{
    OptionsRecord r;
    r.Translucent = 100;
    r.BringToFront = 0;
    r.AutoHide = 0;
    r.HideBar = 1;
    r.ViewDate = 0;
    r.ViewBorder = 0;
    r.BorderWidth = QStringLiteral("12");
    r.ColorBorder = toolkit::ColorButtonFace;
    r.ViewTextHours = 0;
    r.ColorTextHours = 65280;
    r.ViewSecond = 0;
    r.ColorLancetSecond = 16777215;
    r.ColorLancetMinute = 8421504;
    r.ColorLancetHour = 128;
    return r;
}

QList<QByteArray> replaced(QList<QByteArray> values, int index, const QByteArray &value)
{
    values[index] = value;
    return values;
}

} // namespace

Q_DECLARE_METATYPE(OptionsRecord)

class TestOptionsFile : public QObject
{
    Q_OBJECT

private slots:
    void defaultFileBytes()
    {
        QCOMPARE(settings::formatOptions(OptionsRecord(), KeySet::Defaults), DefaultFile);
    }

    void savedFileBytes()
    {
        QCOMPARE(settings::formatOptions(goodRecord(), KeySet::Saved),
                 QByteArray("Translucent=100\r\nBringToFront=0\r\nAutoHide=0\r\nHideBar=1\r\nViewDate=0\r\n"
                            "ViewBorder=0\r\nBorderWidth=12\r\nColorBorder=-2147483633\r\nViewTextHours=0\r\n"
                            "ColorTextHours=65280\r\nViewSecond=0\r\nColorSecond=16777215\r\n"
                            "MinuteSecond=8421504\r\nHourSecond=128\r\n"));
    }

    void bothKeySetsLoadAlike()
    {
        const OptionsRecord r = goodRecord();
        QCOMPARE(settings::readOptions(settings::formatOptions(r, KeySet::Saved)), r);
        QCOMPARE(settings::readOptions(settings::formatOptions(r, KeySet::Defaults)), r);
        QCOMPARE(settings::readOptions(fileOf(GoodValues)), r);
    }

    // How one line is read into the value text of its field.
    void fieldText_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("BorderWidth=7") << "7";
        QTest::newRow("second equals cuts") << QByteArray("BorderWidth=7=9") << "7";
        QTest::newRow("leading blanks skipped") << QByteArray("  \tBorderWidth=7") << "7";
        QTest::newRow("trailing blanks dropped") << QByteArray("BorderWidth=7  ") << "7";
        QTest::newRow("blanks after equals kept") << QByteArray("BorderWidth= 7") << " 7";
        QTest::newRow("empty value") << QByteArray("BorderWidth=") << "";
        QTest::newRow("comma ends the field") << QByteArray("BorderWidth=5,3") << "5";
        QTest::newRow("quoted field") << QByteArray("\"BorderWidth=5,3\"") << "5,3";
        QTest::newRow("text after closing quote dropped") << QByteArray("\"BorderWidth=6\"xyz") << "6";
        QTest::newRow("key ignored") << QByteArray("=8") << "8";
    }
    void fieldText()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, value);
        const FieldTexts fields = settings::parseFields(line + "\r\nNext=1\r\n");
        QVERIFY(fields[0].has_value());
        QCOMPARE(*fields[0], value);
    }

    void fieldBoundaries_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("values"); // "-" for a field without value
        QTest::newRow("LF endings") << QByteArray("a=1\nb=2\nc=3") << QStringList{"1", "2", "3"};
        QTest::newRow("CR endings") << QByteArray("a=1\rb=2\r") << QStringList{"1", "2"};
        QTest::newRow("comma splits a line") << QByteArray("a=1,b=2\r\nc=3") << QStringList{"1", "2", "3"};
        QTest::newRow("blank line is a field") << QByteArray("a=1\r\n\r\nc=3") << QStringList{"1", "-", "3"};
        QTest::newRow("no equals") << QByteArray("a1\r\nb=2") << QStringList{"-", "2"};
        QTest::newRow("quote runs across lines") << QByteArray("\"a=1\r\nb\"\r\nc=3") << QStringList{"1\r\nb", "3"};
        QTest::newRow("unclosed quote") << QByteArray("\"a=1\r\nb=2") << QStringList{"1\r\nb"};
    }
    void fieldBoundaries()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        const FieldTexts fields = settings::parseFields(bytes);
        for (int i = 0; i < settings::FieldCount; ++i) {
            if (i < values.size() && values[i] != "-") {
                QVERIFY2(fields[i].has_value(), qPrintable(QString::number(i)));
                QCOMPARE(*fields[i], values[i]);
            } else {
                QVERIFY2(!fields[i].has_value(), qPrintable(QString::number(i)));
            }
        }
    }

    // A bad field takes its default; every other field keeps the file's value.
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<OptionsRecord>("expected");
        const OptionsRecord good = goodRecord();
        auto with = [&](auto change) { OptionsRecord r = good; change(r); return r; };
        const OptionsRecord d;

        QTest::newRow("empty file") << QByteArray() << d;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x01\x02=\x80\r\n\x00", 9) << d;
        QTest::newRow("truncated after 5 lines")
            << fileOf(GoodValues).left(fileOf(GoodValues.mid(0, 5)).size())
            << with([&](OptionsRecord &r) {
                   r.ViewBorder = d.ViewBorder; r.BorderWidth = d.BorderWidth; r.ColorBorder = d.ColorBorder;
                   r.ViewTextHours = d.ViewTextHours; r.ColorTextHours = d.ColorTextHours; r.ViewSecond = d.ViewSecond;
                   r.ColorLancetSecond = d.ColorLancetSecond; r.ColorLancetMinute = d.ColorLancetMinute;
                   r.ColorLancetHour = d.ColorLancetHour; });
        QTest::newRow("truncated inside a line")
            << fileOf(GoodValues).left(fileOf(GoodValues.mid(0, 13)).size() + 5) // "K14=1"
            << with([](OptionsRecord &r) { r.ColorLancetHour = 1; });
        QTest::newRow("line without equals") << fileOf(GoodValues).replace("K3=0", "K3 0")
                                             << with([&](OptionsRecord &r) { r.AutoHide = d.AutoHide; });
        QTest::newRow("translucent not a number") << fileOf(replaced(GoodValues, 0, "abc"))
                                                  << with([](OptionsRecord &r) { r.Translucent = 255; });
        QTest::newRow("translucent 256") << fileOf(replaced(GoodValues, 0, "256"))
                                         << with([](OptionsRecord &r) { r.Translucent = 255; });
        QTest::newRow("translucent -1") << fileOf(replaced(GoodValues, 0, "-1"))
                                        << with([](OptionsRecord &r) { r.Translucent = 255; });
        QTest::newRow("translucent 12.5 rounds to even") << fileOf(replaced(GoodValues, 0, "12.5"))
                                                         << with([](OptionsRecord &r) { r.Translucent = 12; });
        QTest::newRow("check state 2") << fileOf(replaced(GoodValues, 1, "2"))
                                       << with([](OptionsRecord &r) { r.BringToFront = 1; });
        QTest::newRow("check state -1") << fileOf(replaced(GoodValues, 3, "-1"))
                                        << with([](OptionsRecord &r) { r.HideBar = 0; });
        QTest::newRow("check state empty") << fileOf(replaced(GoodValues, 10, ""))
                                           << with([](OptionsRecord &r) { r.ViewSecond = 1; });
        QTest::newRow("border width 300") << fileOf(replaced(GoodValues, 6, "300"))
                                          << with([](OptionsRecord &r) { r.BorderWidth = "4"; });
        QTest::newRow("border width 81") << fileOf(replaced(GoodValues, 6, "81"))
                                         << with([](OptionsRecord &r) { r.BorderWidth = "4"; });
        QTest::newRow("border width -3") << fileOf(replaced(GoodValues, 6, "-3"))
                                         << with([](OptionsRecord &r) { r.BorderWidth = "4"; });
        // Texts that read as 0 are kept; the main window makes them "1".
        QTest::newRow("border width 0") << fileOf(replaced(GoodValues, 6, "0"))
                                        << with([](OptionsRecord &r) { r.BorderWidth = "0"; });
        QTest::newRow("border width abc") << fileOf(replaced(GoodValues, 6, "abc"))
                                          << with([](OptionsRecord &r) { r.BorderWidth = "abc"; });
        QTest::newRow("border width 7=9") << fileOf(replaced(GoodValues, 6, "7=9"))
                                          << with([](OptionsRecord &r) { r.BorderWidth = "7"; });
        QTest::newRow("border width 212 behind a vertical tab") << fileOf(replaced(GoodValues, 6, "\v212"))
                                                                << with([](OptionsRecord &r) { r.BorderWidth = "4"; });
        QTest::newRow("border width 9 behind a form feed") << fileOf(replaced(GoodValues, 6, "\f9"))
                                                           << with([](OptionsRecord &r) { r.BorderWidth = "9"; });
        QTest::newRow("border width 80") << fileOf(replaced(GoodValues, 6, "80"))
                                         << with([](OptionsRecord &r) { r.BorderWidth = "80"; });
        QTest::newRow("colour beyond 32 bits") << fileOf(replaced(GoodValues, 7, "4294967296"))
                                               << with([](OptionsRecord &r) { r.ColorBorder = 12632256; });
        QTest::newRow("colour 2^31") << fileOf(replaced(GoodValues, 13, "2147483648"))
                                     << with([](OptionsRecord &r) { r.ColorLancetHour = 16711680; });
        QTest::newRow("colour -2^31 kept") << fileOf(replaced(GoodValues, 13, "-2147483648"))
                                           << with([](OptionsRecord &r) { r.ColorLancetHour = qint32(0x80000000u); });
        QTest::newRow("colour text") << fileOf(replaced(GoodValues, 12, "rosso"))
                                     << with([](OptionsRecord &r) { r.ColorLancetMinute = 255; });
        QTest::newRow("comma shifts nothing after a quoted value")
            << fileOf(replaced(GoodValues, 6, "\"5,3\"")).replace("K7=\"5,3\"", "\"K7=5,3\"")
            << with([](OptionsRecord &r) { r.BorderWidth = "5,3"; });
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(OptionsRecord, expected);
        const OptionsRecord r = settings::readOptions(bytes);
        // The saved text shows every field; the width text as read is compared apart.
        QCOMPARE(settings::formatOptions(r, KeySet::Saved), settings::formatOptions(expected, KeySet::Saved));
        QCOMPARE(r.BorderWidth, expected.BorderWidth);
    }

    void storableBorderWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("number") << "12" << "12";
        QTest::newRow("fraction") << "4.5" << "4.5";
        QTest::newRow("letters after digits") << "5abc" << "5abc";
        QTest::newRow("comma") << "5,7" << "5";
        QTest::newRow("quote") << "9\"" << "9";
        QTest::newRow("equals") << "7=9" << "7";
        QTest::newRow("line break") << "3\r\n4" << "34";
        QTest::newRow("non-ASCII") << QString::fromUtf8("8\u00e8") << "8";
    }
    void storableBorderWidth()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QCOMPARE(settings::storableBorderWidth(text), stored);
        OptionsRecord r;
        r.BorderWidth = text;
        // Whatever the text, the file keeps fourteen fields in their places.
        const OptionsRecord back = settings::readOptions(settings::formatOptions(r, KeySet::Saved));
        QCOMPARE(back.BorderWidth, stored);
        QCOMPARE(back.ColorBorder, r.ColorBorder);
        QCOMPARE(back.ColorLancetHour, r.ColorLancetHour);
    }

    void dialWidthFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("0") << "0" << 1;
        QTest::newRow("abc") << "abc" << 1;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("4.5 to even") << "4.5" << 4;
        QTest::newRow("5.5 to even") << "5.5" << 6;
        QTest::newRow("80") << "80" << 80;
        QTest::newRow("100") << "100" << 80;
        QTest::newRow("-5") << "-5" << 1;
        QTest::newRow("12abc") << "12abc" << 12;
    }
    void dialWidthFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QCOMPARE(settings::borderWidthFromText(text), width);
    }
};

QTEST_MAIN(TestOptionsFile)
#include "tst_optionsfile.moc"
