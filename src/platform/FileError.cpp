// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FileError.h"

#include <cerrno>
#include <cstring>

namespace quorin {
namespace {

// The program speaks Chinese; the system's own words are kept for the rare
// failures not named here.
QString describe(int err)
{
    switch (err) {
    case ENOSPC: return QStringLiteral("磁盘空间不足");
    case EDQUOT: return QStringLiteral("超出磁盘配额");
    case EIO: return QStringLiteral("输入/输出错误（磁盘或存储卡可能已损坏或已拔出）");
    case ENODEV:
    case ENXIO: return QStringLiteral("设备不存在或已移除");
    case EMFILE:
    case ENFILE: return QStringLiteral("打开的文件过多");
    case ENOMEM: return QStringLiteral("内存不足");
    case EFBIG: return QStringLiteral("文件太大");
    case ELOOP: return QStringLiteral("符号链接的层次过多");
    case EINVAL: return QStringLiteral("无效的参数");
    case ENOTCONN:
    case ESTALE: return QStringLiteral("文件系统已断开");
    case EOVERFLOW: return QStringLiteral("数值超出范围");
    case EXDEV: return QStringLiteral("不能跨文件系统操作");
    default: return QString::fromLocal8Bit(std::strerror(err));
    }
}

} // namespace

FileError FileError::withCode(int code)
{
    switch (code) {
    case BadFileNameOrNumber: return {code, QStringLiteral("错误的文件名或号码")};
    case FileNotFound: return {code, QStringLiteral("文件未找到")};
    case FileAlreadyExists: return {code, QStringLiteral("文件已存在")};
    case InputPastEndOfFile: return {code, QStringLiteral("输入超出文件尾")};
    case PathFileAccessError: return {code, QStringLiteral("路径/文件访问错误")};
    case PathNotFound: return {code, QStringLiteral("路径未找到")};
    default: return {code, QString()};
    }
}

FileError FileError::nameNotHeldByTarget()
{
    return {PathFileAccessError, QStringLiteral("目标文件系统不能保存这个文件名"), true};
}

FileError FileError::fromErrno(int err, FileTarget target, bool folderOnPathMissing)
{
    switch (err) {
    case 0:
        return none();
    case ENOENT:
        return withCode(folderOnPathMissing ? PathNotFound : FileNotFound);
    case ENOTDIR:
        return withCode(PathNotFound);
    case EEXIST:
    case ENOTEMPTY:
        return withCode(target == FileTarget::File ? FileAlreadyExists : PathFileAccessError);
    case EACCES:
    case EPERM:
    case EBUSY:
    case EROFS:
    case EISDIR:
    case ENAMETOOLONG:
    case ETXTBSY:
        return withCode(PathFileAccessError);
    default:
        return {OtherErrorBase + err, describe(err)};
    }
}

bool ErrorRule::passesOver(const FileError &error) const
{
    if (!error.failed() || all_)
        return true;
    for (int i = 0; i < count_; ++i)
        if (codes_[i] == error.code)
            return true;
    return false;
}

} // namespace quorin
