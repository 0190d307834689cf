#include "tests/harness/MessageBoxRecorder.h"
#include "framework/qdialog/QMessageBox.h"
#include <cstdio>

namespace testing_support {

MessageBoxRecorder* MessageBoxRecorder::s_current = nullptr;

MessageBoxRecorder::MessageBoxRecorder() : m_previous(s_current)
{
    s_current = this;
    m_previousHandler = micro::qdialog::SetMessageBoxHandler(&MessageBoxRecorder::Handle);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    s_current = m_previous;
    micro::qdialog::SetMessageBoxHandler(m_previousHandler);
}

int MessageBoxRecorder::Handle(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)
{
    MessageBoxRecorder* self = s_current;
    if (!self)
        return IDOK;
    self->m_boxes.push_back({owner, text ? text : L"", caption ? caption : L"", flags});
    if (self->m_echo) {
        wprintf(L"box [%ls] %ls\n", self->m_boxes.back().caption.c_str(), self->m_boxes.back().text.c_str());
        fflush(stdout);
    }
    if (self->m_answers.empty())
        return IDOK;
    int answer = self->m_answers.front();
    self->m_answers.pop_front();
    return answer;
}

bool MessageBoxRecorder::Saw(const std::wstring& text) const
{
    for (const RecordedBox& box : m_boxes)
        if (box.text == text)
            return true;
    return false;
}

bool MessageBoxRecorder::SawCaption(const std::wstring& caption) const
{
    for (const RecordedBox& box : m_boxes)
        if (box.caption == caption)
            return true;
    return false;
}

std::string Narrow(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::string MessageBoxRecorder::Describe() const
{
    std::string out;
    for (const RecordedBox& box : m_boxes)
        out += "[" + Narrow(box.caption) + "] " + Narrow(box.text) + "\n";
    return out;
}

} // namespace testing_support
