#pragma once
// The help viewer: a window of ours that shows a topic of the help file or its
// contents page, with links between them.
#include <QString>
#include <memory>

class HelpViewer {
public:
    static HelpViewer& instance();
    void setFile(const QString& path);
    // Shows the topic with that context number; the contents where there is none.
    void showTopic(int context);
    void showContents();
    // The HTML of a page, as shown (for tests).
    QString pageHtml(int context) const;
    QString contentsHtml() const;
    ~HelpViewer();

private:
    HelpViewer();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
