#pragma once

#include <QList>
#include <QQueue>

// Test seam of the modal dialog functions (MessageDialog, InputText,
// SelectOptionDialog, ShowTextWindow, the general error handler).
//
// While a script of a dialog's kind exists, the dialog function shows no
// window: it records what it would have asked and returns the next queued
// answer, or the fallback answer (what closing the window would give) when
// none is queued. Scripts nest; the newest one answers. Create one on the
// stack of a test:
//
//     TMessageScript messages;
//     messages.answer(mrYes);
//     window.actRemoveExecute();
//     ASSERT_EQ(messages.asked().size(), 1);
template <typename Question, typename Answer> class TDialogScript
{
public:
    explicit TDialogScript(Answer fallback = Answer()) : m_fallback(fallback) { s_current = this; }
    ~TDialogScript() { s_current = m_previous; }
    TDialogScript(const TDialogScript &) = delete;
    TDialogScript &operator=(const TDialogScript &) = delete;

    // Queues the answer to the next question.
    void answer(const Answer &a) { m_answers.enqueue(a); }
    // Every question asked while the script existed, oldest first.
    const QList<Question> &asked() const { return m_asked; }
    // Questions that found no queued answer and got the fallback.
    int unanswered() const { return m_unanswered; }
    // Answers queued but never used.
    qsizetype pendingAnswers() const { return m_answers.size(); }

    // The script that answers now, or none: then windows are shown.
    static TDialogScript *current() { return s_current; }

    // Records a question that has only one answer (a notice); the queue
    // stays for the next real question.
    void note(const Question &q) { m_asked.append(q); }

    // Called by the dialog function instead of showing its window.
    Answer take(const Question &q)
    {
        m_asked.append(q);
        if (m_answers.isEmpty()) {
            ++m_unanswered;
            return m_fallback;
        }
        return m_answers.dequeue();
    }

private:
    inline static TDialogScript *s_current = nullptr;
    TDialogScript *m_previous = s_current;
    Answer m_fallback;
    QQueue<Answer> m_answers;
    QList<Question> m_asked;
    int m_unanswered = 0;
};
