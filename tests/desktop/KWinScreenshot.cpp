// The picture KWin composes, through its screenshot service, as a test looks at a Wayland
// session: `kwin_screenshot FILE.png`. KWin writes the raw pixels to a pipe it is handed and
// describes them in its reply; it needs KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 to serve a
// program no desktop file names.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QImage>
#include <QVariantMap>
#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

// The picture's bytes from the pipe: KWin writes them once it has replied.
QByteArray Read(int fd, qsizetype size) {
    QByteArray data(size, Qt::Uninitialized);
    for (qsizetype done = 0; done < size;) {
        const ssize_t got = read(fd, data.data() + done, static_cast<size_t>(size - done));
        if (got > 0)
            done += got;
        else if (got == 0 || errno != EINTR)
            return data.first(done);
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: kwin_screenshot FILE.png\n";
        return 2;
    }
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
        std::perror("kwin_screenshot: pipe");
        return 1;
    }
    QDBusInterface screenshot("org.kde.KWin.ScreenShot2", "/org/kde/KWin/ScreenShot2",
                              "org.kde.KWin.ScreenShot2", QDBusConnection::sessionBus());
    QDBusPendingReply<QVariantMap> reply = screenshot.asyncCall(
        "CaptureWorkspace", QVariantMap{{"include-cursor", false}, {"native-resolution", true}},
        QVariant::fromValue(QDBusUnixFileDescriptor(pipe_ends[1])));
    close(pipe_ends[1]);
    reply.waitForFinished();
    if (reply.isError()) {
        std::cerr << "kwin_screenshot: " << reply.error().message().toStdString() << "\n";
        return 1;
    }
    const QVariantMap picture = reply.value();
    const int width = picture.value("width").toInt();
    const int height = picture.value("height").toInt();
    const int stride = picture.value("stride").toInt();
    const auto format = static_cast<QImage::Format>(picture.value("format").toInt());
    const qsizetype size = qsizetype(stride) * height;
    const QByteArray pixels =
        width > 0 && height > 0 && stride >= width * 4 ? Read(pipe_ends[0], size) : QByteArray();
    close(pipe_ends[0]);
    if (pixels.isEmpty() || pixels.size() < size) {
        std::cerr << "kwin_screenshot: " << pixels.size() << " bytes for " << width << " x "
                  << height << ", stride " << stride << "\n";
        return 1;
    }
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), width, height, stride,
                       format);
    if (!image.save(argv[1])) {
        std::cerr << "kwin_screenshot: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
