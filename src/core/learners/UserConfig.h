#pragma once

#include <map>
#include <string>
#include <vector>

namespace zidezo {

class TAdoChannel;

// A user's numbered settings (table Config): key -> NUMBEREX, with the defaults of missing rows
// and the read rules of keys 17, 66, 67 and 68.
class TUserConfig {
 public:
  explicit TUserConfig(TAdoChannel& channel);

  bool Load(int user);
  int User() const { return user_; }

  // The value of a key (its default when the row is missing); Flag is true for 1.
  int Key(int key) const;
  bool Flag(int key) const { return Key(key) == 1; }
  // Changes a value in memory only (the settings dialog; stored by SaveSettings or StoreAll).
  void Set(int key, int value);

  // Writes the keys the settings dialog edits, in one transaction.
  bool SaveSettings();
  // Replaces every row of the target user by this object's values and user 2's texts.
  bool StoreAll(int target_user);
  // Writes one key now.
  bool SetKey(int key, int value);
  // Grade colours, keys 30 + n: white when the row is missing; SetColourKey edits an existing row only.
  int ColourKey(int n) const;
  bool SetColourKey(int n, int value);

  static int DefaultValue(int key);
  // Keys 1 to 85 and 101 to 106.
  static const std::vector<int>& StoredKeys();

 private:
  TAdoChannel& channel_;
  int user_ = 0;
  std::map<int, int> values_;
};

}  // namespace zidezo
