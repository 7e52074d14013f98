#include "script/AlgorithmStore.h"

namespace zidezo {

bool TAlgorithmStore::ListAlgorithms(int type, std::vector<TAlgorithm>& list) {
  list.clear();
  auto rows = channel_.Query(
      "select * from Algorithm where (User_ID = ? or User_ID = ?) and AlgorithmType = ? order by User_ID Desc, ID",
      {Int(user_id_), Int(kSharedAlgorithmOwner), Int(type)});
  if (!rows) return false;
  for (; !rows->Eof(); rows->Next()) {
    list.push_back({rows->AsInt("ID"), rows->AsInt("User_ID"), rows->AsText("Content"), rows->AsText("Title"),
                    rows->AsInt("AlgorithmType"), rows->AsInt("UseShare") == 1});
  }
  return true;
}

std::string TAlgorithmStore::LoadAlgorithmContent(int id) {
  return channel_.QueryText("select Content from Algorithm where ID = ?", {Int(id)}).value_or("");
}

int TAlgorithmStore::AddAlgorithm(int type, const std::string& title, const std::string& content) {
  int id = 0;
  const bool added = channel_.InTransaction([&] {
    id = static_cast<int>(channel_.QueryInteger("select Max(ID) as MaxID from Algorithm").value_or(0)) + 1;
    return channel_.RunSql(
        "insert into Algorithm(ID, User_ID, AlgorithmType, Title, Content, UseShare) values(?, ?, ?, ?, ?, 1)",
        {Int(id), Int(user_id_), Int(type), Text(title), Text(content)});
  });
  return added ? id : 0;
}

bool TAlgorithmStore::UpdateAlgorithm(int id, const std::string& title, const std::string& content) {
  return channel_.ExecSql("update Algorithm set Title = ?, Content = ? where ID = ?", {Text(title), Text(content), Int(id)});
}

bool TAlgorithmStore::ShareAlgorithm(int id) {
  return channel_.ExecSql("update Algorithm set User_ID = ? where ID = ?", {Int(kSharedAlgorithmOwner), Int(id)});
}

bool TAlgorithmStore::DeleteAlgorithm(int id) {
  bool deleted = false;
  channel_.InTransaction([&] {
    const auto users = channel_.QueryInteger(
        "select Count(*) from Userbookconfig where NUMBEREX = ? and (SEQUENCE = 8 or SEQUENCE = 42)", {Int(id)});
    if (!users || *users > 0) return false;  // in use, or the check itself failed
    deleted = channel_.RunSql("delete from Algorithm where ID = ?", {Int(id)});
    return deleted;
  });
  return deleted;
}

}  // namespace zidezo
