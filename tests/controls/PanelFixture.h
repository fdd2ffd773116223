#pragma once
// A temporary program folder with the side panel's shipped pictures in "Datas/" and an
// empty "Librarians/", the imaging layer marked running, for the panel and its sections.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QVariantList>
#include <QtCore/qtestsupport_core.h>

#include <vector>

#include <gtest/gtest.h>

#include "foundation/ModPublic.h"
#include "support/TestFolder.h"

namespace PanelFixture {

// Records every emission of a signal with its arguments.
class Spy {
 public:
  template <class Sender, class... Args>
  Spy(Sender* sender, void (Sender::*signal)(Args...)) {
    m_connection = QObject::connect(sender, signal, [this](Args... args) {
      m_calls.push_back(QVariantList{QVariant::fromValue(args)...});
    });
  }
  ~Spy() { QObject::disconnect(m_connection); }
  Spy(const Spy&) = delete;
  Spy& operator=(const Spy&) = delete;

  int count() const { return int(m_calls.size()); }
  const QVariantList& operator[](int i) const { return m_calls.at(std::size_t(i)); }

 private:
  QMetaObject::Connection m_connection;
  std::vector<QVariantList> m_calls;
};

class ProgramFolderTest : public ::testing::Test {
 protected:
  // withPictures false leaves "Datas/" empty: every picture is missing.
  explicit ProgramFolderTest(bool withPictures = true) : m_previous(ModPublic::ProgramFolder()) {
    ModPublic::SetProgramFolder(folder.Path());
    QDir().mkpath(folder.File("Datas"));
    QDir().mkpath(folder.File("Librarians"));
    if (withPictures) {
      const QDir shipped(QCoreApplication::applicationDirPath() + "/Datas");
      for (const QString& name : shipped.entryList({"Icon0*.png", "Calbutton*.png", "Stampenter.png", "DelStamp.png", "Eye.png"})) {
        QFile::copy(shipped.filePath(name), folder.File("Datas/" + name));
      }
    }
    ModPublic::GdiplusToken = 1;
  }
  ~ProgramFolderTest() override {
    ModPublic::GdiplusToken = 0;
    ModPublic::SetProgramFolder(m_previous);
  }

  // A stamp file of one colour in the library (PNG content whatever the name says).
  QString Stamp(const QString& name, QColor colour, QSize size = {64, 48}) const {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    const QString path = folder.File("Librarians/" + name);
    picture.save(path, "PNG");
    return path;
  }

  TestSupport::TestFolder folder;

 private:
  QString m_previous;
};

}  // namespace PanelFixture
