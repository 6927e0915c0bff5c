#include "app/NumLockState.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <optional>

#ifdef QELT32_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace {

std::optional<bool> AskDisplayServer() {
#ifdef QELT32_HAVE_XCB
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply)
        return std::nullopt;
    const bool on = reply->led_mask & 0x2; // the second keyboard light is Num Lock
    free(reply);
    return on;
#else
    return std::nullopt;
#endif
}

} // namespace

CNumLockState::CNumLockState(QObject* parent) : QObject(parent) {
    if (qApp)
        qApp->installEventFilter(this);
}

CNumLockState::~CNumLockState() {
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CNumLockState::IsOn() const {
    return AskDisplayServer().value_or(m_bInferred);
}

bool CNumLockState::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::KeypadModifier) {
            if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9)
                m_bInferred = true;
            else if (key->key() >= Qt::Key_Home && key->key() <= Qt::Key_PageDown)
                m_bInferred = false;
        }
    }
    return QObject::eventFilter(watched, event);
}
