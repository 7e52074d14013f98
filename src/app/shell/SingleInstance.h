#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace zidezo::app {

// One running copy per data root: a lock file in the data root, and a local socket named after the
// root through which a second copy asks the first to show its window.
class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstance(const QString& data_root, QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True for the first copy (it now listens); false when another copy runs, after asking it to
  // show its window.
  bool Acquire();
  static QString ServerName(const QString& data_root);

 signals:
  void showRequested();

 private:
  void AskRunningCopy();

  QString data_root_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace zidezo::app
