# Door check
"""<parameters>
<company>ACME</company><title>Doors</title><version>1.0</version>
<parameter><type>string</type><id>who</id><name>Who</name><value>me</value></parameter>
</parameters>"""
import time
