#include "common/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace tabulizer {

std::string SystemReason(int error) {
    switch (error) {
        case ENOENT: return "Нет такого файла или каталога";
        case ENOTDIR: return "Часть пути не является каталогом";
        case EISDIR: return "Это каталог";
        case EACCES: return "Отказано в доступе";
        case EPERM: return "Операция не позволена";
        case EROFS: return "Файловая система доступна только для чтения";
        case ENAMETOOLONG: return "Слишком длинное имя файла";
        case ENOSPC: return "Нет места на устройстве";
        case EDQUOT: return "Превышена дисковая квота";
        case EFBIG: return "Файл слишком велик";
        case EMFILE:
        case ENFILE: return "Слишком много открытых файлов";
        case ENOMEM: return "Недостаточно памяти";
        case EIO: return "Ошибка ввода-вывода";
        case ELOOP: return "Слишком много символьных ссылок в пути";
        case ETXTBSY: return "Файл занят";
        case EBUSY: return "Устройство или ресурс занято";
        case EPIPE: return "Обрыв канала";
        default: return std::string(std::strerror(error)) + " (" + std::to_string(error) + ")";
    }
}

}  // namespace tabulizer
