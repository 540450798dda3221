// The fitting rule of short field texts: the designed size where a text fits, then tighter
// letter spacing, then smaller sizes down to the floor, and only then cut. The widths come from
// a model font whose letters are `size * spacing / 100 * 0.5` px wide, so each step's outcome is
// known exactly.
#include "text/textfit.h"

#include <QTest>

namespace {

// The width of `letters` letters at a size and spacing in the model font.
rasp::text::MeasureText modelFont(int letters)
{
    return [letters](double size, double spacing) { return letters * size * spacing / 100.0 * 0.5; };
}

} // namespace

Q_DECLARE_METATYPE(rasp::text::TextFit)

class TstTextFit : public QObject
{
    Q_OBJECT

private slots:
    void walksSpacingThenSizeThenCuts_data()
    {
        QTest::addColumn<int>("letters");
        QTest::addColumn<double>("available");
        QTest::addColumn<rasp::text::TextFit>("expected");
        // 12 pt: 6 px a letter at 100 %, 5.76 at 96 %, 5.52 at 92 %.
        QTest::newRow("fits at the designed size") << 8 << 48.0 << rasp::text::TextFit{12, 100, false};
        QTest::newRow("empty text") << 0 << 0.0 << rasp::text::TextFit{12, 100, false};
        QTest::newRow("a little tighter") << 8 << 46.1 << rasp::text::TextFit{12, 96, false};
        QTest::newRow("tightest at the designed size") << 8 << 44.2 << rasp::text::TextFit{12, 92, false};
        // Smaller only after the tightest spacing: 11.5 pt at 92 % is 5.29 px a letter.
        QTest::newRow("one step smaller") << 8 << 42.4 << rasp::text::TextFit{11.5, 92, false};
        QTest::newRow("nine points") << 10 << 41.45 << rasp::text::TextFit{9, 92, false};
        QTest::newRow("down to the floor") << 10 << 36.85 << rasp::text::TextFit{8, 92, false};
        QTest::newRow("below the floor is cut") << 10 << 36.7 << rasp::text::TextFit{8, 92, true};
        QTest::newRow("no room at all") << 1 << 0.0 << rasp::text::TextFit{8, 92, true};
    }
    void walksSpacingThenSizeThenCuts()
    {
        QFETCH(int, letters);
        QFETCH(double, available);
        QFETCH(rasp::text::TextFit, expected);
        const rasp::text::TextFit got = rasp::text::FitText(available, modelFont(letters));
        QVERIFY2(got == expected, qPrintable(QStringLiteral("%1 pt %2 %% cut %3")
                                                 .arg(got.pointSize)
                                                 .arg(got.spacing)
                                                 .arg(got.cut)));
    }

    // The chosen setting is the first that fits, so it is never smaller than needed, and a text
    // that fits is always drawn within its width.
    void theChosenSettingFitsAndIsTheLargest()
    {
        for (int letters = 1; letters <= 14; ++letters)
            for (int available = 20; available <= 90; available += 3) {
                const auto measure = modelFont(letters);
                const rasp::text::TextFit f = rasp::text::FitText(available, measure);
                if (f.cut) {
                    QVERIFY(measure(8, 92) > available);
                    continue;
                }
                QVERIFY(measure(f.pointSize, f.spacing) <= available);
                QVERIFY(f.pointSize >= 8 && f.pointSize <= 12);
                if (f.pointSize < 12) // a larger size fits at no spacing
                    QVERIFY(measure(f.pointSize + 0.5, 92) > available);
            }
    }

    // Another floor and designed size, as a painter may ask.
    void followsTheStepsItIsGiven()
    {
        const rasp::text::FitSteps steps{10, 9, 90, 1};
        QVERIFY((rasp::text::FitText(40, modelFont(8), steps) == rasp::text::TextFit{10, 100, false}));
        QVERIFY((rasp::text::FitText(36, modelFont(8), steps) == rasp::text::TextFit{10, 90, false}));
        QVERIFY((rasp::text::FitText(33, modelFont(8), steps) == rasp::text::TextFit{9, 90, false}));
        QVERIFY((rasp::text::FitText(32, modelFont(8), steps) == rasp::text::TextFit{9, 90, true}));
    }
};

QTEST_APPLESS_MAIN(TstTextFit)
#include "tst_textfit.moc"
