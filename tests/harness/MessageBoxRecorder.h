#pragma once
#include <windows.h>
#include <deque>
#include <string>
#include <vector>

namespace testing_support {

struct RecordedBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// Takes over the program's message-box seam for its lifetime: every box is
// recorded and answered from the script (IDOK when the script is empty).
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    void Answer(int result) { m_answers.push_back(result); }
    // Forgets the answers scripted for boxes that never came.
    void ClearAnswers() { m_answers.clear(); }
    const std::vector<RecordedBox>& Boxes() const { return m_boxes; }
    size_t Count() const { return m_boxes.size(); }
    const RecordedBox& Last() const { return m_boxes.back(); }
    bool Saw(const std::wstring& text) const;
    bool SawCaption(const std::wstring& caption) const;
    void Clear() { m_boxes.clear(); }
    // Prints each box on the console as it comes (a run that stops at a box
    // then shows which).
    void Echo(bool on) { m_echo = on; }
    // Every box text, one per line, for failure messages.
    std::string Describe() const;

private:
    static int Handle(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
    std::vector<RecordedBox> m_boxes;
    std::deque<int> m_answers;
    bool m_echo = false;
    MessageBoxRecorder* m_previous;
    int (*m_previousHandler)(HWND, const wchar_t*, const wchar_t*, UINT);
    static MessageBoxRecorder* s_current;
};

std::string Narrow(const std::wstring& text);

} // namespace testing_support
