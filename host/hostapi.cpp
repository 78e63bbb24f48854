#include "hostapi.h"

#include "hostwindow.h"

#include <cstdio>
#include <utility>

HostApi& HostApi::instance()
{
    static HostApi api;
    return api;
}

void HostApi::setVersion(const HostVersion& version)
{
    m_version = version;
}

void HostApi::setWindow(HostWindow* window)
{
    m_window = window;
}

void HostApi::setMessagePresenter(MessagePresenter presenter)
{
    m_presentMessage = std::move(presenter);
}

HostVersion HostApi::version() const
{
    return m_version;
}

void HostApi::showLogPane()
{
    if (m_window)
        m_window->showLogPane();
}

void HostApi::log(const QString& line)
{
    if (m_window)
        m_window->appendLog(line);
    // Flushed at once so that the order against standard error is kept when
    // both go to a pipe.
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void HostApi::showMessage(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
    if (m_presentMessage)
        m_presentMessage(text);
}
