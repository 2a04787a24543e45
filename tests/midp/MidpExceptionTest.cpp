#include <string>

#include <gtest/gtest.h>

#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "javax/microedition/media/MediaException.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "javax/microedition/rms/RecordStoreNotFoundException.h"
#include "java/lang/RuntimeException.h"
#include "javax/microedition/rms/RecordStoreNotOpenException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace javax::microedition;

namespace {

class MidpExceptionTest : public VMFixture {};

template<class X>
void checkNameAndBase(const char* name, const char* base)
{
    SCOPED_TRACE(name);
    EXPECT_STREQ(X::classRecord()->name, name);
    EXPECT_STREQ(X::classRecord()->superName, base);
    std::string path = std::string("target/winmo/pb_src/j2me/") + name;
    for (char& c : path)
        c = c == '.' ? '_' : c;
    EXPECT_EQ(X::classRecord()->sourcePath, path);
    VMPtr<X> e = X::newInstance();
    e->init();
    EXPECT_EQ(vmText(e->toString()), name);
    EXPECT_TRUE((vmCaughtAs<X, X>()));
    EXPECT_TRUE((vmCaughtAs<X, java::lang::Exception>()));
    EXPECT_TRUE((vmCaughtAs<X, java::lang::Throwable>()));
    EXPECT_FALSE((vmCaughtAs<X, java::lang::RuntimeException>()));
}

TEST_F(MidpExceptionTest, ClassesNameThemselvesAndAreCaughtByTheirBases)
{
    checkNameAndBase<io::ConnectionNotFoundException>(
        "javax.microedition.io.ConnectionNotFoundException", "java.io.IOException");
    checkNameAndBase<rms::RecordStoreException>("javax.microedition.rms.RecordStoreException",
                                                "java.lang.Exception");
    checkNameAndBase<rms::RecordStoreNotFoundException>(
        "javax.microedition.rms.RecordStoreNotFoundException",
        "javax.microedition.rms.RecordStoreException");
    checkNameAndBase<rms::RecordStoreNotOpenException>(
        "javax.microedition.rms.RecordStoreNotOpenException",
        "javax.microedition.rms.RecordStoreException");
    checkNameAndBase<rms::InvalidRecordIDException>(
        "javax.microedition.rms.InvalidRecordIDException",
        "javax.microedition.rms.RecordStoreException");
    checkNameAndBase<media::MediaException>("javax.microedition.media.MediaException",
                                            "java.lang.Exception");

    EXPECT_TRUE((vmCaughtAs<io::ConnectionNotFoundException, java::io::IOException>()));
    EXPECT_TRUE((vmCaughtAs<rms::RecordStoreNotFoundException, rms::RecordStoreException>()));
    EXPECT_TRUE((vmCaughtAs<rms::RecordStoreNotOpenException, rms::RecordStoreException>()));
    EXPECT_TRUE((vmCaughtAs<rms::InvalidRecordIDException, rms::RecordStoreException>()));
    EXPECT_FALSE((vmCaughtAs<media::MediaException, rms::RecordStoreException>()));
}

TEST_F(MidpExceptionTest, MessageFormsWhereTheClassHasThem)
{
    VMPtr<media::MediaException> media = media::MediaException::newInstance();
    media->init(vmString("Unable to start player"));
    EXPECT_EQ(vmText(media->toString()),
              "javax.microedition.media.MediaException: Unable to start player");
    VMPtr<io::ConnectionNotFoundException> missing =
        io::ConnectionNotFoundException::newInstance();
    missing->init(vmString("not supported"));
    EXPECT_EQ(vmText(missing->getMessage()), "not supported");
}

} // namespace
