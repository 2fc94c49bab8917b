#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "engine/section_drawing.h"

// The drawing's SVG read by a real XML parser: well formed, one path per layer line.
TEST(SectionDrawingSvg, IsWellFormedXml)
{
    for (const bool construction : {false, true}) {
        const folix::SectionDrawing drawing = folix::sectionDrawing(
            "name with <, & and \" and \x01", 0.0703, 0.04377, 1.94444, {100, 0.002, construction});
        QXmlStreamReader xml(QByteArray::fromStdString(folix::svgDrawingText(drawing)));
        int paths = 0;
        QString root;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                if (root.isEmpty()) root = xml.name().toString();
                paths += xml.name() == QLatin1String("path");
            }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(root, "svg");
        EXPECT_EQ(paths, construction ? 3 : 1);
    }
}
