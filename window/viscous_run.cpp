#include "viscous_run.h"

#include <exception>

#include <QMetaObject>

ViscousRun::ViscousRun(QObject* parent) : QObject(parent) {}

ViscousRun::~ViscousRun()
{
    stop();
}

bool ViscousRun::start(std::vector<folix::SectionPoint> contour, std::string name, std::vector<double> alphas,
                       folix::ViscousOptions options)
{
    if (thread_.joinable()) return false;
    cancel_ = false;
    const int generation = ++generation_;
    // A signal of a run stopped since is dropped; one posted after this
    // object is gone, Qt drops with it.
    const auto tell = [this, generation](auto call) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, call] {
                if (generation == generation_) call();
            },
            Qt::QueuedConnection);
    };
    thread_ = std::thread([this, tell, contour = std::move(contour), name = std::move(name),
                           alphas = std::move(alphas), options = std::move(options)] {
        folix::PolarControl control;
        control.cancel = &cancel_;
        control.angleDone = [this, &tell](std::size_t index, const folix::ViscousAngle& angle) {
            tell([this, index, angle] { emit angleDone(static_cast<int>(index), angle); });
        };
        folix::ViscousPolar polar;
        QString failure;
        try {
            polar = folix::viscousPolar(contour, name, alphas, options, control);
        } catch (const std::exception& problem) {
            failure = QString::fromStdString(problem.what());
        }
        tell([this, polar, failure] {
            thread_.join();
            emit finished(polar, failure);
        });
    });
    return true;
}

void ViscousRun::cancel()
{
    cancel_ = true;
}

void ViscousRun::stop()
{
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
    ++generation_;
}
