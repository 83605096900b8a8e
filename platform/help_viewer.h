#pragma once
// The help viewer: a window of ours that shows a topic of the help file or its
// contents page, with links between them.
#include <QString>
#include <memory>
#include <string>

class HelpViewer {
public:
    static HelpViewer& instance();
    // Reads the help file (a path in the system's bytes) as readWholeFile does;
    // one that cannot be read shows only a contents page that says so.
    void setFile(const std::string& path);
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
