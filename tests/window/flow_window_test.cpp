#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <set>

#include "engine/section_analysis.h"
#include "message_box_catcher.h"
#include "window/file_service.h"
#include "window/flow_canvas.h"
#include "window/flow_window.h"

namespace {

// 12 %, 2 %, 10 degrees; and -10 degrees, whose trailing edge turns back (m > 2).
const folix::MappedSection kTypical{"KARMAN-TREFFTZ AIRFOIL", 0.070304405967124839, 0.043769303782416197,
                                    1.9444444444444444};
const folix::MappedSection kPastTwo{"KARMAN-TREFFTZ AIRFOIL", 0.0836, 0.0441, 2.0555555555555556};

QString liftText(const folix::MappedSection& d, double alpha)
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
        boxes_ = std::make_unique<MessageBoxCatcher>();
        files_.setChooser([this](QWidget*, const QString&, const QString& suggested, const QString&) {
            suggested_ = suggested;
            return answer_.isEmpty() ? QString() : folder_.filePath(answer_);
        });
        window_ = std::make_unique<FlowWindow>(nullptr, &files_);
        window_->showDesign(kTypical);
    }

    void cleanup()
    {
        window_.reset();
        QVERIFY(boxes_->take().empty());
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
        window_->showDesign({"KARMAN-TREFFTZ AIRFOIL", -0.01, 0.02, 1.9});
        QVERIFY(!window_->canvas()->scene());
        QVERIFY(window_->canvas()->message().contains("F >= 0"));
        QCOMPARE(window_->findChild<QLabel*>("FlowLiftCoefficient")->text(), QString("\u2014"));
        QVERIFY(!window_->findChild<QPushButton*>("FlowSavePicture")->isEnabled());

        window_->showDesign(kPastTwo);
        QVERIFY(window_->canvas()->scene());
        QCOMPARE(window_->canvas()->scene()->section.stagnationPoints.size(), 1u);  // none at the trailing edge
        QVERIFY(window_->findChild<QLabel*>("FlowNote")->isVisibleTo(window_.get()));
    }

    void savesThePictureTheEndingAsks()
    {
        window_->resize(700, 450);
        const std::pair<QString, QByteArray> kinds[] = {
            {"flow.png", "\x89PNG"}, {"flow.SVG", "<?xml"}, {"flow.pdf", "%PDF-"}, {"bare", "\x89PNG"},
            {"flow.jpg", "\xff\xd8\xff"}};
        for (const auto& [name, start] : kinds) {
            answer_ = name;
            window_->findChild<QPushButton*>("FlowSavePicture")->click();
            QFile file(folder_.filePath(name.contains('.') ? name : name + ".png"));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const QByteArray written = file.readAll();
            QVERIFY2(written.startsWith(start), qPrintable(name));
            // The inputs and results travel with the picture.
            if (name == "flow.SVG") QVERIFY(written.contains("Cl = 0.2814"));
        }
        QCOMPARE(QFileInfo(suggested_).fileName(), QString("karman-trefftz_F0.0703_G0.04377_m1.94444_alpha0_flow.png"));

        // An ending of no picture format is asked about; Enter declines.
        answer_ = "flow.bmp";
        window_->findChild<QPushButton*>("FlowSavePicture")->click();
        QVERIFY(!QFile::exists(folder_.filePath(answer_)) && !QFile::exists(folder_.filePath("flow.bmp.png")));
        const auto shown = boxes_->take();
        QCOMPARE(shown.size(), std::size_t{1});
        QVERIFY(shown.front().text.contains(".bmp") && shown.front().icon == QMessageBox::Question);
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
    std::unique_ptr<MessageBoxCatcher> boxes_;
    FileService files_;
    QTemporaryDir folder_;
    QString answer_;
    QString suggested_;
    std::unique_ptr<FlowWindow> window_;
};

QTEST_MAIN(FlowWindowTest)
#include "flow_window_test.moc"
