// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine_module.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QOpenGLContext>

#include "web_band/offline_band.h"

// QtGui's own setter of the context every other one shares with; its header is private to Qt.
// QGuiApplication calls it at start when Qt::AA_ShareOpenGLContexts is set, and Qt WebEngine
// itself when it is set up before the application: Qt has no public way to make that context
// once the application runs (the attribute set then makes none), and without it the engine, loaded
// later, warns and shows nothing. The band's test fails on that warning.
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace quintara::web_band {
namespace {

// The engine draws its pages with OpenGL and shares its contexts with the windows through one
// global context, which Qt makes at start-up when Qt::AA_ShareOpenGLContexts is set: that would
// map the whole OpenGL stack (under Xvfb, Mesa's software renderer and LLVM) in every run, page
// or not. It is made here instead, right before the engine's libraries are loaded. They check
// for it as they load: finding it, they neither warn that the attribute was not set nor fail
// to start. When the platform has no OpenGL, the context stays invalid, as Qt's own would, and
// the engine draws without it.
void shareAnOpenGlContextWithTheEngine() {
    if (QOpenGLContext::globalShareContext() != nullptr) {
        return;
    }
    auto* context = new QOpenGLContext(qApp);
    context->create();
    qt_gl_set_global_share_context(context);
}

// Qt WebEngine 6.4 shows a page's own objects (its title, paragraphs and links) to assistive
// technology on Linux only when this is set as the engine starts; it reads it once. Set
// whatever listens now: the engine then follows assistive technology as it comes and goes, and
// costs nothing more while none listens. A user's own setting stands.
void letAScreenReaderReadThePage() {
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY")) {
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    }
}

QString modulePath() {
    return QGuiApplication::applicationDirPath() + QStringLiteral("/" QUINTARA_WEB_ENGINE_MODULE);
}

}  // namespace

// The module lies at the same place relative to the program in the build tree and once
// installed. Mapped at start-up, its libraries alone would cost more memory than the rest of the
// program: hence a module, opened only when a page has arrived.
EngineBand* loadEngineBand(QWidget& band, qt::LinkOpener& links) {
    shareAnOpenGlContextWithTheEngine();
    letAScreenReaderReadThePage();
    QLibrary module(modulePath());
    auto* make = reinterpret_cast<MakeEngineBand*>(module.resolve(kMakeEngineBandSymbol));
    if (make == nullptr) {
        qWarning("Quintara: no web engine, showing the offline band (%s)",
                 qPrintable(module.errorString()));
        return nullptr;
    }
    return make(band, links, OfflineBand::html());
}

bool engineModuleInstalled() {
    return QFileInfo(modulePath()).isFile();
}

}  // namespace quintara::web_band
