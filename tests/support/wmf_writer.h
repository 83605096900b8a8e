#pragma once
// Writes placeable metafiles record by record, so each test (and benchmark)
// states exactly the records it is about.
#include <QPoint>
#include <cstdint>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

class Wmf {
public:
    explicit Wmf(int left = 0, int top = 0, int right = 100, int bottom = 100, int inch = 1440,
                 int objects = 8)
        : box_{left, top, right, bottom}, inch_(inch), objects_(objects) {}

    Wmf& rec(int function, std::initializer_list<int> words) {
        Bytes params;
        for (int w : words) put16(params, w);
        return raw(function, params);
    }
    Wmf& raw(int function, const Bytes& params) {
        put32(records_, static_cast<std::uint32_t>(3 + params.size() / 2));
        put16(records_, function);
        records_.insert(records_.end(), params.begin(), params.end());
        return *this;
    }
    // A record whose size field says whatever the test wants.
    Wmf& sized(std::uint32_t words, int function) {
        put32(records_, words);
        put16(records_, function);
        return *this;
    }

    Wmf& pen(int style, int width, std::uint32_t bgr) {
        return rec(0x02FA, {style, width, 0, lo(bgr), hi(bgr)});
    }
    Wmf& brush(int style, std::uint32_t bgr, int hatch = 0) {
        return rec(0x02FC, {style, lo(bgr), hi(bgr), hatch});
    }
    Wmf& solid(std::uint32_t bgr) { return brush(0, bgr); }
    Wmf& select(int i) { return rec(0x012D, {i}); }
    Wmf& remove(int i) { return rec(0x01F0, {i}); }
    Wmf& nullPen(int slot) { return pen(5, 0, 0).select(slot); }
    Wmf& rect(int l, int t, int r, int b) { return rec(0x041B, {b, r, t, l}); }
    Wmf& windowOrg(int x, int y) { return rec(0x020B, {y, x}); }
    Wmf& windowExt(int x, int y) { return rec(0x020C, {y, x}); }
    // A polygon (0x0324) or polyline (0x0325) through the points.
    Wmf& poly(int function, const std::vector<QPoint>& points) {
        Bytes p;
        put16(p, static_cast<int>(points.size()));
        for (QPoint q : points) put16(p, q.x()), put16(p, q.y());
        return raw(function, p);
    }
    Wmf& polyPolygon(const std::vector<std::vector<QPoint>>& polygons) {
        Bytes p;
        put16(p, static_cast<int>(polygons.size()));
        for (const auto& poly : polygons) put16(p, static_cast<int>(poly.size()));
        for (const auto& poly : polygons) {
            for (QPoint q : poly) put16(p, q.x()), put16(p, q.y());
        }
        return raw(0x0538, p);
    }
    Wmf& stretchDib(int x, int y, int w, int h, int srcW, int srcH, const Bytes& dib, int srcX = 0,
                    int srcY = 0) {
        Bytes p;
        put32(p, 0x00CC0020);
        for (int v : {0, srcH, srcW, srcY, srcX, h, w, y, x}) put16(p, v);
        p.insert(p.end(), dib.begin(), dib.end());
        return raw(0x0F43, p);
    }

    Bytes bytes(bool eof = true) const {
        Bytes b;
        put32(b, 0x9AC6CDD7);
        put16(b, 0);
        for (int v : box_) put16(b, v);
        put16(b, inch_);
        put32(b, 0);
        int sum = 0;
        for (std::size_t i = 0; i < 20; i += 2) sum ^= b[i] | (b[i + 1] << 8);
        put16(b, sum);
        const std::size_t words = 9 + records_.size() / 2 + (eof ? 3 : 0);
        for (int v : {1, 9, 0x0300}) put16(b, v);
        put32(b, static_cast<std::uint32_t>(words));
        put16(b, objects_);
        put32(b, 3);
        put16(b, 0);
        b.insert(b.end(), records_.begin(), records_.end());
        if (eof) put32(b, 3), put16(b, 0);
        return b;
    }

    static int lo(std::uint32_t v) { return static_cast<int>(v & 0xFFFF); }
    static int hi(std::uint32_t v) { return static_cast<int>(v >> 16); }

private:
    int box_[4];
    int inch_;
    int objects_;
    Bytes records_;
};
