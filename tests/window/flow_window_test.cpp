#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <set>

#include "engine/section_analysis.h"
#include "window/file_saver.h"
#include "window/flow_canvas.h"
#include "window/flow_window.h"

namespace {

// 12 %, 2 %, 10 degrees; and -10 degrees, whose trailing edge turns back (m > 2).
struct Design {
    double F, G, EM;
};
constexpr Design kTypical{0.070304405967124839, 0.043769303782416197, 1.9444444444444444};
constexpr Design kPastTwo{0.0836, 0.0441, 2.0555555555555556};

class RecordingSaver : public FileSaver {
public:
    QString answer;
    QString writtenPath;
    QByteArray written;
    QStringList warnings;

    QString askForFile(QWidget*, const QString&, const QString&, const QString&) override { return answer; }
    void writeFile(const QString& path, std::string_view contents, const QString&) override
    {
        writtenPath = path;
        written = QByteArray(contents.data(), static_cast<qsizetype>(contents.size()));
    }
    void warn(const QString& text) override { warnings << text; }
};

QString liftText(const Design& d, double alpha)
{
    return QString::fromStdString(folix::coefficientText(folix::SectionAnalysis(d.F, d.G, d.EM, {}).liftCoefficient(alpha)));
}

long dividing(const folix::FlowPanel& panel)
{
    return std::count_if(panel.streamlines.begin(), panel.streamlines.end(),
                         [](const folix::Streamline& l) { return l.dividing; });
}

}  // namespace

class FlowWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        saver_ = RecordingSaver();
        window_ = std::make_unique<FlowWindow>(nullptr, &saver_);
        window_->showDesign("KARMAN-TREFFTZ AIRFOIL", kTypical.F, kTypical.G, kTypical.EM);
    }

    void showsTheFlowOfTheDesign()
    {
        const std::optional<folix::FlowScene>& scene = window_->canvas()->scene();
        QVERIFY(scene);
        QVERIFY(scene->section.streamlines.size() >= 40);
        QCOMPARE(dividing(scene->section), 2);
        QCOMPARE(scene->section.stagnationPoints.size(), 2u);
        QCOMPARE(scene->section.field.columns, folix::kFieldColumns);
        QCOMPARE(scene->section.field.pixels.size(), static_cast<std::size_t>(folix::kFieldColumns * folix::kFieldColumns / 2));
        QVERIFY(!scene->circle);
        QCOMPARE(QString::fromStdString(scene->scale->title), QString("V/V\u221e"));
        QCOMPARE(window_->findChild<QLabel*>("FlowLiftCoefficient")->text(), liftText(kTypical, 0));
        QVERIFY(window_->findChild<QPushButton*>("FlowSavePicture")->isEnabled());
    }

    void followsTheAngleAndItsOptions()
    {
        QSignalSpy changed(window_.get(), &FlowWindow::angleOfAttackChanged);
        window_->setAngleOfAttack(4);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(window_->canvas()->scene()->alpha, 4.0);
        QCOMPARE(window_->findChild<QLabel*>("FlowLiftCoefficient")->text(), liftText(kTypical, 4));
        window_->setAngleOfAttack(25);  // beyond the box's range: held at its end, as shown
        QCOMPARE(window_->angleOfAttack(), 20.0);
        QCOMPARE(window_->findChild<QLabel*>("FlowLiftCoefficient")->text(), liftText(kTypical, 20));

        window_->findChild<QCheckBox*>("FlowCirclePlane")->setChecked(true);
        const std::optional<folix::FlowPanel>& circle = window_->canvas()->scene()->circle;
        QVERIFY(circle);
        QCOMPARE(dividing(*circle), 2);
        QCOMPARE(circle->stagnationPoints.size(), 2u);

        auto* colouring = window_->findChild<QComboBox*>("FlowColouring");
        colouring->setCurrentIndex(1);
        QCOMPARE(QString::fromStdString(window_->canvas()->scene()->scale->title), QString("Cp"));
        colouring->setCurrentIndex(2);
        QVERIFY(!window_->canvas()->scene()->scale);
        QVERIFY(window_->canvas()->scene()->section.field.pixels.empty());
    }

    void tellsWhereNoFlowIsDrawn()
    {
        window_->showDesign("KARMAN-TREFFTZ AIRFOIL", -0.01, 0.02, 1.9);
        QVERIFY(!window_->canvas()->scene());
        QVERIFY(window_->canvas()->message().contains("F >= 0"));
        QCOMPARE(window_->findChild<QLabel*>("FlowLiftCoefficient")->text(), QString("\u2014"));
        QVERIFY(!window_->findChild<QPushButton*>("FlowSavePicture")->isEnabled());

        window_->showDesign("KARMAN-TREFFTZ AIRFOIL", kPastTwo.F, kPastTwo.G, kPastTwo.EM);
        QVERIFY(window_->canvas()->scene());
        QCOMPARE(window_->canvas()->scene()->section.stagnationPoints.size(), 1u);  // none at the trailing edge
        QVERIFY(window_->findChild<QLabel*>("FlowNote")->isVisibleTo(window_.get()));
    }

    void savesThePictureTheEndingAsks()
    {
        window_->resize(700, 450);
        const std::pair<QString, QByteArray> kinds[] = {
            {"flow.png", "\x89PNG"}, {"flow.SVG", "<?xml"}, {"flow.pdf", "%PDF-"}, {"flow", "\x89PNG"}};
        for (const auto& [name, start] : kinds) {
            saver_.answer = name;
            saver_.written.clear();
            window_->findChild<QPushButton*>("FlowSavePicture")->click();
            QVERIFY2(saver_.written.startsWith(start), qPrintable(name));
            QVERIFY(saver_.writtenPath.endsWith(name.contains('.') ? name : name + ".png"));
            // The inputs and results travel with the picture.
            if (name == "flow.SVG") QVERIFY(saver_.written.contains("Cl = 0.2814"));
        }

        saver_.answer = "flow.jpg";
        saver_.written.clear();
        window_->findChild<QPushButton*>("FlowSavePicture")->click();
        QVERIFY(saver_.written.isEmpty());
        QCOMPARE(saver_.warnings.size(), 1);
        QVERIFY(saver_.warnings.front().contains(".jpg"));
    }

    void drawsFieldStreamlinesAndSection()
    {
        window_->resize(800, 520);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        const QImage image = window_->canvas()->grab().toImage();
        std::set<QRgb> colours;
        int body = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                colours.insert(pixel);
                body += pixel == qRgb(88, 90, 96);
            }
        QVERIFY(colours.size() > 1000);  // a smooth field, not flat fills
        QVERIFY(body > 2000);            // the section, filled
    }

private:
    RecordingSaver saver_;
    std::unique_ptr<FlowWindow> window_;
};

QTEST_MAIN(FlowWindowTest)
#include "flow_window_test.moc"
