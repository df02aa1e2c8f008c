#include "core/NoticeCount.h"

bool NoticeCount::occur() {
    ++m_count;
    if (m_boxOpen || m_shown)
        return false;
    m_boxOpen = true;
    m_shown = true;
    return true;
}

void NoticeCount::closed() {
    m_boxOpen = false;
    if (m_settleWhenClosed)
        settle();
}

void NoticeCount::settle() {
    if (m_boxOpen) {
        m_settleWhenClosed = true;
        return;
    }
    m_settleWhenClosed = false;
    m_shown = false;
    m_count = 0;
}
