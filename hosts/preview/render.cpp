#include "preview/render.h"

#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <memory>
#include <stdexcept>

#include "drawing/dxf_file.h"
#include "platform/atomic_file.h"
#include "preview/scene_builder.h"
#include "preview/scene_painter.h"

namespace zil::preview {
namespace {

constexpr int kGap = 4;         // pixels between the two halves of a side-by-side image
constexpr int kMaxSide = 8192;  // pixels, a side (an image of 8192 x 8192 takes 256 MB)

// Qt warns at every start when XDG_RUNTIME_DIR is not set (as in batch jobs and CI), then makes a private
// folder in the temporary folder itself; give it that folder quietly.
void GiveQtARuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString folder = QDir::tempPath() + QStringLiteral("/runtime-zil-") + QString::number(getuid());
  if (!QDir().mkpath(folder)) return;
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}

// A Qt GUI application on the offscreen platform for as long as it lives, unless the process runs one.
class OffscreenSession {
 public:
  OffscreenSession() {
    if (QCoreApplication::instance() == nullptr) {
      GiveQtARuntimeFolder();
      app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
      throw std::runtime_error("Drawing previews need a Qt GUI application; this process runs a console one");
    }
  }

 private:
  int argc_ = 3;
  char name_[4] = "zil";
  char option_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, option_, platform_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

void CheckSize(const RenderOptions& options) {
  if (options.width < 1 || options.height < 1 || options.width > kMaxSide || options.height > kMaxSide)
    throw std::runtime_error("A preview is 1 to " + std::to_string(kMaxSide) + " pixels wide and high, not " +
                             std::to_string(options.width) + "x" + std::to_string(options.height));
}

void WritePng(const QImage& image, const std::filesystem::path& png) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw std::runtime_error("Could not encode the preview as PNG");
  try {
    platform::WriteFileAtomically(png, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const platform::WriteError& e) {
    throw std::runtime_error("Unable to write the preview " + png.string() + ": " + e.Reason());
  }
}

// What shows: the whole scene, or what lies in the window asked for.
RenderReport Report(const Scene& scene, const Box2& window, bool windowGiven) {
  if (!windowGiven) return {window, scene.entities, scene.texts, scene.notDrawn};
  const SceneCounts shown = CountWithin(scene, window);
  return {window, shown.entities, shown.texts, scene.notDrawn};
}

}  // namespace

Box2 DefaultWindow(const Scene& scene) { return WithMargin(scene.extents, 0.02); }

RenderReport RenderDrawingToPng(drawing::Drawing& drawing, config::FontDefinitions& fonts, const RenderOptions& options,
                                const std::filesystem::path& png) {
  CheckSize(options);
  const Scene scene = BuildScene(drawing, ClassifyWith(fonts), options.layout);
  const Box2 window = options.window.value_or(DefaultWindow(scene));
  OffscreenSession session;
  const ScenePainter painter;
  WritePng(painter.Paint(scene, window, QSize(options.width, options.height)), png);
  return Report(scene, window, options.window.has_value());
}

RenderReport RenderDxfFileToPng(const std::string& dxf, config::FontDefinitions& fonts, const RenderOptions& options,
                                const std::filesystem::path& png) {
  return RenderDrawingToPng(*drawing::LoadDxfFile(dxf), fonts, options, png);
}

void RenderBeforeAndAfterPng(drawing::Drawing& before, drawing::Drawing& after, config::FontDefinitions& fonts,
                             const RenderOptions& options, const std::filesystem::path& beforePng,
                             const std::filesystem::path& afterPng,
                             const std::optional<std::filesystem::path>& sideBySidePng) {
  CheckSize(options);
  const FontTypeOf fontTypeOf = ClassifyWith(fonts);
  const Scene first = BuildScene(before, fontTypeOf, options.layout);
  const Scene second = BuildScene(after, fontTypeOf, options.layout);
  Box2 both = first.extents;
  both.Add(second.extents);
  const Box2 window = options.window.value_or(WithMargin(both, 0.02));
  OffscreenSession session;
  const ScenePainter painter;
  const QSize size(options.width, options.height);
  const QImage left = painter.Paint(first, window, size), right = painter.Paint(second, window, size);
  WritePng(left, beforePng);
  WritePng(right, afterPng);
  if (!sideBySidePng) return;
  QImage pair(size.width() * 2 + kGap, size.height(), QImage::Format_RGB32);
  pair.fill(QColor(160, 160, 160));
  QPainter p(&pair);
  p.drawImage(0, 0, left);
  p.drawImage(size.width() + kGap, 0, right);
  p.end();
  WritePng(pair, *sideBySidePng);
}

}  // namespace zil::preview
