#include "plot.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>
#include <stdexcept>
#include <system_error>

#include "preview/scene_painter.h"
#include "view_painter.h"

namespace zil::workbench {

void PlotToPdf(const ViewScene& scene, const std::filesystem::path& pdf, const QString& title) {
  const std::filesystem::path folder = pdf.parent_path().empty() ? std::filesystem::path(".") : pdf.parent_path();
  QTemporaryFile temporary(QString::fromStdString((folder / ".plot-XXXXXX.pdf").string()));
  if (!temporary.open())
    throw std::runtime_error("Cannot write in the folder " + folder.string() + ": " +
                             temporary.errorString().toStdString());
  temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
  temporary.close();  // the printer writes it by name

  const Box2 extents = preview::WithMargin(scene.Extents(), 0.0);
  const double w = extents.hi.x - extents.lo.x, h = extents.hi.y - extents.lo.y;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(temporary.fileName());
  printer.setDocName(title);
  printer.setCreator(QStringLiteral("zil-workbench"));
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), w > h ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&printer)) throw std::runtime_error("Cannot write the PDF " + pdf.string());
  const QRect page = printer.pageLayout()
                         .paintRectPixels(printer.resolution())
                         .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
  const QTransform toPage = preview::SpaceToPixels(extents, page.size());
  const ViewPainter painterOfParts;
  for (const EntityPart* part : scene.InRegion(extents)) painterOfParts.PaintPart(painter, *part, toPage, false, scene);
  if (!painter.end()) throw std::runtime_error("Cannot write the PDF " + pdf.string());

  std::error_code error;
  std::filesystem::rename(temporary.fileName().toStdString(), pdf, error);
  if (error) throw std::runtime_error("Cannot write the PDF " + pdf.string() + ": " + error.message());
  temporary.setAutoRemove(false);  // it is the PDF now
}

}  // namespace zil::workbench
