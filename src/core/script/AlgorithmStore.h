#pragma once

#include <string>
#include <vector>

#include "data/AdoChannel.h"

namespace zidezo {

// One row of the Algorithm table as lists show it.
struct TAlgorithm {
  int id = 0;
  int user_id = 0;
  std::string content;
  std::string title;
  int algorithm_type = 0;  // 1 memory score, 0 forgetting rate
  bool deletable = false;  // rows users made (UseShare = 1)
};

inline constexpr int kSharedAlgorithmOwner = 2;
inline constexpr int kAbilityAlgorithm = 1;
inline constexpr int kSpeedAlgorithm = 0;

// The algorithm texts the logged-in user may use: his own and the shared ones (owner 2).
class TAlgorithmStore {
 public:
  TAlgorithmStore(TAdoChannel& channel, int user_id) : channel_(channel), user_id_(user_id) {}

  // The user's own algorithms first (owner descending), then by ID. False when reading failed.
  bool ListAlgorithms(int type, std::vector<TAlgorithm>& list);
  std::string LoadAlgorithmContent(int id);  // empty when no row exists
  int AddAlgorithm(int type, const std::string& title, const std::string& content);  // the new ID, 0 on failure
  bool UpdateAlgorithm(int id, const std::string& title, const std::string& content);
  bool ShareAlgorithm(int id);
  // False (and nothing deleted) while some book configuration names the algorithm.
  bool DeleteAlgorithm(int id);

 private:
  TAdoChannel& channel_;
  int user_id_;
};

}  // namespace zidezo
