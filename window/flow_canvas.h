#pragma once

#include <optional>

#include "window/chart_frame.h"
#include "window/flow_scene.h"

class QFontMetricsF;
class QPainter;

// The drawing of the Flow window: the panels of a flow scene (the colour
// field, the streamlines, the outline and the stagnation points, each plane
// at true proportion), the colour scale beside them and a legend below, or a
// message where no flow can be drawn. It only places what the scene holds.
class FlowCanvas : public ChartFrame {
    Q_OBJECT

    struct Layout;  // where the parts go on a given area

public:
    explicit FlowCanvas(QWidget* parent = nullptr);

    void showScene(folix::FlowScene scene, const QString& caption);
    void showMessage(const QString& text);

    const std::optional<folix::FlowScene>& scene() const { return scene_; }
    const QString& caption() const { return caption_; }

    // A picture of what the canvas shows, with a caption line naming it: its
    // size at the canvas's width; paintPicture paints into an area of that size.
    QSize pictureSize() const;

    QSize sizeHint() const override { return {760, 470}; }
    QSize minimumSizeHint() const override { return {380, 260}; }

protected:
    void paintContents(QPainter& painter, const QRectF& area, Surface surface) const override;

private:
    Layout layout(const QFontMetricsF& metrics, const QRectF& area, bool withCaption) const;

    std::optional<folix::FlowScene> scene_;
    QString caption_;
};
