// QzRectangle2.h: CQzRectangle2 and CQzRectangle2i, a position with a width
// and a height in float and in integer coordinates.
#ifndef QZCORE_GEOMETRY_QZRECTANGLE2_H
#define QZCORE_GEOMETRY_QZRECTANGLE2_H

#include "QzApi.h"
#include "math/QzVector2.h"

// Plain values: any thread may use its own copies; nothing is shared. The
// position may be a corner or the centre: the class does not say which.
class QZ_API CQzRectangle2
{
public:
    CQzRectangle2() : m_position(0.0f, 0.0f), m_width(0.0f), m_height(0.0f) {}
    // A negative or NaN size becomes 0; the setters store what they get.
    CQzRectangle2(CQzVector2 const& position, float width, float height)
        : m_position(position), m_width(width > 0.0f ? width : 0.0f), m_height(height > 0.0f ? height : 0.0f)
    {
    }
    CQzRectangle2(CQzRectangle2 const&) = default;
    CQzRectangle2& operator=(CQzRectangle2 const& other)
    {
        if (this != &other)
        {
            m_position = other.m_position;
            m_width = other.m_width;
            m_height = other.m_height;
        }
        return *this;
    }
    virtual ~CQzRectangle2();

    void SetPosition(CQzVector2 const& position) { m_position = position; }
    CQzVector2& GetPosition() { return m_position; }
    CQzVector2 const& GetPosition() const { return m_position; }
    void SetWidth(float width) { m_width = width; }
    float GetWidth() const { return m_width; }
    void SetHeight(float height) { m_height = height; }
    float GetHeight() const { return m_height; }

private:
    CQzVector2 m_position;
    float m_width;
    float m_height;
};

class QZ_API CQzRectangle2i
{
public:
    CQzRectangle2i() : m_position(0, 0), m_width(0), m_height(0) {}
    // A negative size becomes 0; the setters store what they get.
    CQzRectangle2i(CQzVector2i const& position, int width, int height)
        : m_position(position), m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0)
    {
    }
    CQzRectangle2i(CQzRectangle2i const&) = default;
    CQzRectangle2i& operator=(CQzRectangle2i const& other)
    {
        if (this != &other)
        {
            m_position = other.m_position;
            m_width = other.m_width;
            m_height = other.m_height;
        }
        return *this;
    }
    virtual ~CQzRectangle2i();

    void SetPosition(CQzVector2i const& position) { m_position = position; }
    CQzVector2i& GetPosition() { return m_position; }
    CQzVector2i const& GetPosition() const { return m_position; }
    void SetWidth(int width) { m_width = width; }
    int GetWidth() const { return m_width; }
    void SetHeight(int height) { m_height = height; }
    int GetHeight() const { return m_height; }

private:
    CQzVector2i m_position;
    int m_width;
    int m_height;
};

#endif // QZCORE_GEOMETRY_QZRECTANGLE2_H
