// A printer object that records every call and every item printed, for the
// tests of the tabular print report. Header only.
#pragma once

#include "platform/printer.h"

#include <QString>

#include <string>
#include <vector>

namespace testsupport {

// Records each call; holds positions `offset` twips beyond where they were
// set, and refuses the item numbered `refuseItem` (from 1).
class RecordingPrinter : public meter::Printer {
public:
    struct Item {
        int page;
        std::string text;
        float x, y; // as set
        std::string font;
        int paper, orientation;
    };

    std::vector<std::string> log;
    std::vector<Item> items;
    float offset = 0;
    int refuseItem = 0;
    int pages = 0;

    void setFontName(const QString& n) override {
        log.push_back("name " + n.toStdString());
        Printer::setFontName(n);
    }
    void setFontSize(float s) override {
        log.push_back("size " + num(s));
        Printer::setFontSize(s);
    }
    void setFontBold(bool b) override {
        log.push_back(b ? "bold on" : "bold off");
        Printer::setFontBold(b);
    }
    void setCurrentX(float x) override {
        log.push_back("x " + num(x));
        Printer::setCurrentX(x);
    }
    void setCurrentY(float y) override {
        log.push_back("y " + num(y));
        Printer::setCurrentY(y);
    }
    float CurrentX() const override { return Printer::CurrentX() + offset; }
    float CurrentY() const override { return Printer::CurrentY() + offset; }

    bool NewPage() override {
        log.push_back("newpage");
        pageOpen_ = false;
        return true;
    }
    bool PrintForm(QWidget*) override {
        log.push_back(Orientation == Landscape ? "printform landscape" : "printform");
        open_ = true;
        return true;
    }
    bool EndDoc() override {
        log.push_back("enddoc");
        open_ = pageOpen_ = false;
        return true;
    }
    bool documentOpen() const override { return open_; }

    // The record numbers of the tabular report's first column (Arial 12 at
    // x 1100) in the order printed; those of one page only when it is given.
    std::vector<int> rowNumbers(int page = 0) const {
        std::vector<int> rows;
        for (const Item& it : items)
            if ((page == 0 || it.page == page) && it.font == "Arial 12" && it.x == 1100)
                rows.push_back(std::stoi(it.text));
        return rows;
    }

protected:
    bool printText(const QString& text) override {
        const std::string t = text.toStdString();
        if (static_cast<int>(items.size()) + 1 == refuseItem) {
            log.push_back("refused " + t);
            return false;
        }
        log.push_back("print " + t);
        open_ = true;
        if (!pageOpen_) ++pages;
        pageOpen_ = true;
        const std::string font = FontName().toStdString() + " " + num(FontSize()) + (FontBold() ? " bold" : "");
        items.push_back({pages, t, Printer::CurrentX(), Printer::CurrentY(), font, PaperSize, Orientation});
        endLine(240);
        return true;
    }

private:
    static std::string num(float v) { return QString::number(v, 'g', 9).toStdString(); }
    bool open_ = false;
    bool pageOpen_ = false;
};

// The numbers first to last, as a run of rows.
inline std::vector<int> numbersFrom(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

} // namespace testsupport
