#pragma once

#include "core/NoticeCount.h"
#include "platform/PlatformServices.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// What counted notices need of their window.
struct NoticeContext {
    PlatformServices& Platform;
    std::function<QString()> Title;
    std::function<void(const QString&)> WriteLog;
    // The window's status text; empty clears it.
    std::function<void(const QString&)> ShowStatus;
};

// Messages that received data may raise again and again. raise() never blocks: the box opens
// from the event loop once the handler that raised it has returned, so no receive handler runs a
// modal box, none nests in another, and values keep arriving in order while it is open. Each
// kind gets one box per episode (NoticeCount); every occurrence is logged, and the status text
// says how many there were of each kind that is not settled.
class CountedNotices : public QObject {
public:
    // A kind of notice: the icon of its box and how the number of its occurrences reads.
    struct KindLook {
        PlatformServices::Icon Icon;
        std::function<QString(int count)> CountText;
    };

    // Kinds are numbered by their position in `kinds`.
    CountedNotices(NoticeContext context, const std::vector<KindLook>& kinds, QObject* parent);

    void raise(int kind, const QString& text);
    void settle(int kind);
    int count(int kind) const;

private:
    struct Kind {
        KindLook Look;
        NoticeCount Count;
        QString Text; // of the occurrence that the box shows
    };

    void showBox(int kind);
    void showStatus();

    NoticeContext m_context;
    std::vector<Kind> m_kinds;
    QString m_status;
};
