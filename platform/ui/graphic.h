// Pictures: TGraphic is one picture object of some format; TPicture is the
// holder a picture area owns, with at most one graphic. Picture formats
// register themselves by class name so that a stored picture stream
// (class-name length, class name, the format's own data) can be read back.
#pragma once

#include <QByteArray>
#include <functional>
#include <memory>
#include <string>

class QPainter;

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual const char* ClassName() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Draws with the top-left corner at (x, y). A format that decodes lazily
    // may raise here, at its first painting.
    virtual void Draw(QPainter& painter, int x, int y) = 0;
    // A new object of the same class with the same content.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Reads the format's stored value: the bytes of a picture stream after the class name.
    virtual void ReadData(const QByteArray& data) = 0;
};

class TPicture {
public:
    using Factory = std::function<std::unique_ptr<TGraphic>()>;

    TGraphic* Graphic() const { return m_graphic.get(); }
    // Installs a new graphic (or none), discarding the old one, and reports the change.
    void setGraphic(std::unique_ptr<TGraphic> graphic);
    // Reads a picture stream: 1 byte n, n bytes class name, then the format's data.
    void LoadFromStream(const QByteArray& stream);

    std::function<void()> OnChange;

    static void registerClass(const std::string& className, Factory factory);
    // Raises EReadError for a class that no format registered.
    static std::unique_ptr<TGraphic> create(const std::string& className);

private:
    std::unique_ptr<TGraphic> m_graphic;
};
