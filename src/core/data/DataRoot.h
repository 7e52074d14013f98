#pragma once

#include <filesystem>
#include <string>

namespace zidezo {

// The data root: the given folder when not empty, else $ZIDEZO_HOME, else $XDG_DATA_HOME/zidezo,
// else ~/.local/share/zidezo.
std::filesystem::path ResolveDataRoot(const std::string& given = "");

// The folders and files of an installation under its data root.
struct DataPaths {
  std::filesystem::path root;

  std::filesystem::path Database() const { return root / "Database"; }
  std::filesystem::path Setting() const { return root / "Setting"; }
  std::filesystem::path Temp() const { return root / "Temp"; }
  std::filesystem::path Wav() const { return root / "wav"; }
  std::filesystem::path Picture() const { return root / "Picture"; }
  std::filesystem::path Attachment() const { return root / "Attachment"; }
  std::filesystem::path SettingsFile() const { return root / "zidezo.ini"; }
  std::filesystem::path ConfigDatabase() const { return Database() / "Config.db"; }
  std::filesystem::path ExampleDatabase() const { return Database() / "Example.db"; }
  std::filesystem::path DictionaryDatabase() const { return Database() / "REVeru.db"; }
  std::filesystem::path ExerciseDatabase() const { return Database() / "Exercise.db"; }
  std::filesystem::path MailDatabase() const { return Database() / "EMailStore.db"; }
  std::filesystem::path UserFolder(int user) const { return Setting() / std::to_string(user); }
};

// The folder of the reference content shipped with the program ($ZIDEZO_DATA_DIR overrides).
std::filesystem::path ReferenceDataDir();

}  // namespace zidezo
